#include "InstallTestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

const char* const PythonPreamble = R"(
import os, sys, zipfile, zlib
from zipfile import ZIP_STORED as STORED, ZIP_DEFLATED as DEFLATED

class RawName(zipfile.ZipInfo):
    def __init__(self, raw, utf8, date):
        super().__init__(raw.decode('latin-1'), date)
        self.raw, self.utf8 = raw, utf8
    def _encodeFilenameFlags(self):
        return self.raw, (self.flag_bits | 0x800) if self.utf8 else (self.flag_bits & ~0x800)

zf = zipfile.ZipFile(sys.argv[1], 'w', DEFLATED)

def add(name, data=b'', method=DEFLATED, mode=None, system=3, date=(2011, 6, 15, 12, 34, 56), utf8=False):
    info = RawName(name, utf8, date) if isinstance(name, bytes) else zipfile.ZipInfo(name, date)
    info.compress_type = method
    info.create_system = system
    if mode is not None:
        info.external_attr = mode << 16
    zf.writestr(info, data)

class ZeroBlocks:
    # Zeros compress to the same bytes block after block after a full flush, so a
    # huge entry costs one real compression.
    block = 1 << 22
    def __init__(self):
        c = zlib.compressobj(9, zlib.DEFLATED, -15)
        self.packed = c.compress(bytes(self.block)) + c.flush(zlib.Z_FULL_FLUSH)
        self.end = zlib.compressobj(9, zlib.DEFLATED, -15).flush()
    def compress(self, data):
        assert len(data) == self.block
        return self.packed
    def flush(self):
        return self.end

def add_zeros(name, size):
    assert size % ZeroBlocks.block == 0
    saved = zipfile._get_compressor
    zipfile._get_compressor = lambda *args: ZeroBlocks()
    try:
        info = zipfile.ZipInfo(name, (2011, 6, 15, 12, 34, 56))
        info.compress_type = DEFLATED
        with zf.open(info, 'w', force_zip64=True) as f:
            block = bytes(ZeroBlocks.block)
            for _ in range(size // ZeroBlocks.block):
                f.write(block)
    finally:
        zipfile._get_compressor = saved

def add_tree(folder):
    for root, dirs, files in os.walk(folder):
        for name in sorted(dirs) + sorted(files):
            path = os.path.join(root, name)
            zf.write(path, os.path.relpath(path, folder))

)";

} // namespace

QString runTool(const QString& program, const QStringList& arguments, const QString& workFolder)
{
    // The system's own tools first: a per-user shim in front of them (pyenv) costs a
    // third of a second per run.
    QString path = QStandardPaths::findExecutable(program, {"/usr/bin", "/bin"});
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return program + QStringLiteral(" is not installed (scripts/test installs it)");
    QProcess process;
    process.setWorkingDirectory(workFolder);
    process.start(path, arguments);
    if (!process.waitForFinished(240000))
        return program + QStringLiteral(" did not finish");
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return program + QStringLiteral(" failed (%1): ").arg(process.exitCode()) +
               QString::fromLocal8Bit(process.readAllStandardError() + process.readAllStandardOutput());
    return {};
}

QString pythonZip(const QString& zipPath, const QString& script)
{
    const QString source = QString::fromUtf8(PythonPreamble) + script + QStringLiteral("\nzf.close()\n");
    return runTool(QStringLiteral("python3"), {QStringLiteral("-c"), source, zipPath});
}

QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> items;
    const QDir base(root);
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = base.relativeFilePath(info.filePath());
        if (relative.split(QLatin1Char('/')).contains(QStringLiteral(".krvnm-backup")))
            continue;
        if (info.isDir() && !info.isSymLink())
            items.insert(relative + QLatin1Char('/'), {});
        else
            items.insert(relative, info.isSymLink() ? QByteArray("-> ") + info.symLinkTarget().toUtf8()
                                                    : readFile(info.filePath()));
    }
    return items;
}

QString scratchParent(qint64 bytes)
{
    const QString memory = QStringLiteral("/dev/shm");
    const QStorageInfo storage(memory);
    const bool roomy = storage.isValid() && storage.bytesAvailable() > 2 * bytes;
    return roomy && QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
}
