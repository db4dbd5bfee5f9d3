// libFuzzer target for the zip extraction: any bytes, opened as an archive and extracted
// into a fresh folder, must neither crash nor leave anything but that folder's contents
// behind: no file beside it, no link, no unsafe name and no temporary file inside it.

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "install/EntryName.h"
#include "install/ExtractionView.h"
#include "install/ZipExtractor.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

class SilentView : public ExtractionView
{
public:
    void addStatusLine(const QString&) override {}
    void setDownloadLabel(const QString&) override {}
    void setProgressVisible(bool) override {}
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
};

// Every password question gets the password the seed archives use.
class AnsweringDialogs : public Dialogs
{
public:
    Answer messageBox(const MessageRequest& request) override
    {
        std::fprintf(stderr, "unexpected message box: %s\n", qPrintable(request.text));
        std::abort();
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return QStringLiteral("secret");
    }
    QString browseForFolder(const QString&) override { return {}; }
};

QTemporaryDir* sandbox = nullptr;

[[noreturn]] void fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(path));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    sandbox = new QTemporaryDir();
    return sandbox->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString zip = sandbox->filePath(QStringLiteral("in.zip"));
    const QString target = sandbox->filePath(QStringLiteral("target"));
    QDir(target).removeRecursively();
    QFile file(zip);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fail("cannot write", zip);
    file.close();

    AppState state;
    AnsweringDialogs dialogs;
    SilentView view;
    ZipExtractor extractor(state, dialogs, view);
    extractor.unzipArchive(zip, target + QLatin1Char('/'), size % 2 == 0);

    const QStringList beside =
        QDir(sandbox->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& name : beside)
        if (name != QStringLiteral("in.zip") && name != QStringLiteral("target"))
            fail("written outside the target folder", name);
    const QDir base(target);
    for (QDirIterator it(target, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo info(it.next());
        if (info.isSymLink() || (!info.isFile() && !info.isDir()))
            fail("not a plain file or folder", info.filePath());
        if (!EntryName::parse(base.relativeFilePath(info.filePath())).safe())
            fail("unsafe name", info.filePath());
        if (info.fileName().startsWith(QStringLiteral(".krvnm-")))
            fail("temporary file left behind", info.filePath());
    }
    return 0;
}
