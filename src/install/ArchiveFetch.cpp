#include "install/ArchiveFetch.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/StringIds.h"
#include "install/ArchiveSource.h"
#include "net/DownloadEngine.h"
#include "net/DownloadRecords.h"
#include "net/Sha256.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 ReadBytes = 1024 * 1024;
// Hashing a large cached archive yields to the window this often.
constexpr qint64 YieldEveryBytes = 32 * 1024 * 1024;

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

ArchiveFetch::ArchiveFetch(AppState& state, AppServices& services, DownloadEngine& engine)
    : state(state), services(services), engine(engine)
{}

QByteArray ArchiveFetch::parseChecksum(const QByteArray& text)
{
    const QByteArray line = text.trimmed();
    if (line.size() < 64 || line.contains('\n') || line.contains('\r'))
        return {};
    for (qsizetype i = 0; i < 64; ++i)
        if (!isHexDigit(line.at(i)))
            return {};
    if (line.size() > 64 && line.at(64) != ' ' && line.at(64) != '\t')
        return {};
    return line.left(64).toLower();
}

QByteArray ArchiveFetch::fileDigest(const QString& path, const std::stop_token& cancel)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Sha256 hash;
    QByteArray buffer(ReadBytes, Qt::Uninitialized);
    qint64 sinceYield = 0;
    for (qint64 got = file.read(buffer.data(), ReadBytes); got != 0; got = file.read(buffer.data(), ReadBytes)) {
        if (got < 0)
            return {};
        hash.add(buffer.constData(), size_t(got));
        if ((sinceYield += got) >= YieldEveryBytes) {
            sinceYield = 0;
            QCoreApplication::processEvents();
            if (cancel.stop_requested())
                return {};
        }
    }
    return QByteArray::fromStdString(Sha256::hex(hash.current()));
}

QByteArray ArchiveFetch::publishedChecksum(const QString& address)
{
    const QString file = state.workFolder + QStringLiteral("checksum.tmp");
    if (!engine.fetchSmallFile(address + QStringLiteral(".sha256"), file, ChecksumLimitBytes))
        return {};
    QFile answer(file);
    const QByteArray text = answer.open(QIODevice::ReadOnly) ? answer.read(ChecksumLimitBytes) : QByteArray();
    answer.close();
    answer.remove();
    return parseChecksum(text);
}

ArchiveFetch::Result ArchiveFetch::obtain(const ArchiveSource& archive, int pauseMs,
                                          const std::function<void()>& beforeDownload)
{
    const QString fileName = QFileInfo(archive.localPath).fileName();
    DownloadRecords* records = engine.downloadRecords();
    const QByteArray published = publishedChecksum(archive.address);
    if (engine.stopIfCancelled())
        return Result::Stopped;
    if (published.isEmpty() && state.requireChecksum == 1) {
        refuse(Str::ChecksumRequired, fileName);
        return Result::Refused;
    }

    if (QFileInfo::exists(archive.localPath)) {
        QByteArray expected = published;
        if (expected.isEmpty() && records)
            expected = records->digest(fileName);
        const QByteArray found =
            expected.isEmpty() ? QByteArray() : fileDigest(archive.localPath, engine.cancelToken());
        // A check cut short says nothing against the archive: it stays for the next try.
        if (engine.stopIfCancelled())
            return Result::Stopped;
        if (!expected.isEmpty() && found == expected) {
            engine.addStatusLine(state.str(published.isEmpty() ? Str::ChecksumMissing : Str::ChecksumVerified));
            return Result::Ready;
        }
        // Not known to be what the server has: fetched again rather than trusted.
        QFile::remove(archive.localPath);
    }

    if (beforeDownload)
        beforeDownload();
    if (!engine.downloadFile(archive.address, archive.localPath, false, pauseMs) || engine.stopIfCancelled())
        return Result::Stopped;
    if (published.isEmpty()) {
        engine.addStatusLine(state.str(Str::ChecksumMissing));
        return Result::Ready;
    }
    if (engine.lastDigest() == published) {
        engine.addStatusLine(state.str(Str::ChecksumVerified));
        return Result::Ready;
    }
    QFile::remove(archive.localPath);
    if (records)
        records->recordDigest(fileName, {});
    refuse(Str::ChecksumMismatch, fileName);
    return Result::Refused;
}

void ArchiveFetch::refuse(int row, const QString& fileName)
{
    const QString text = QString(state.str(row)).replace(QStringLiteral("#1#"), fileName);
    engine.addStatusLine(text);
    services.dialogs.message(text, MessageIcon::Exclamation);
}
