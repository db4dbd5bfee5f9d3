#include "install/ExtractionJob.h"

#include "install/EntryFile.h"
#include "install/EntryTimes.h"
#include "install/ExtractionChannel.h"
#include "install/InstallRecord.h"
#include "install/InstallTransaction.h"
#include "install/StagingArea.h"
#include "install/WinZipAes.h"

#include <QDir>

#include <zip.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

// Large enough that reading and writing cost few calls, small enough to stay in cache.
constexpr std::size_t BufferBytes = 256 * 1024;
// A hostile archive may hold any number of bad names; the first ones say enough.
constexpr int MaxRefusedLines = 20;

constexpr zip_uint16_t NtfsField = 0x000A;
constexpr zip_uint16_t ExtendedTimestampField = 0x5455;

struct ArchiveCloser
{
    void operator()(zip_t* archive) const { zip_discard(archive); }
};

struct EntryCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// Entry names go into status lines; control characters would garble the list.
QString printable(const QString& name)
{
    QString text = name;
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return text;
}

bool hasControlByte(const char* name)
{
    for (; name && *name; ++name)
        if (static_cast<unsigned char>(*name) < 0x20 || *name == 0x7F)
            return true;
    return false;
}

// Unix file types other than a regular file or a folder (links, devices, pipes) are
// refused: a link could point a later entry anywhere.
QString specialFileProblem(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return {};
    constexpr zip_uint8_t MacOsX = 19;
    if (system != ZIP_OPSYS_UNIX && system != MacOsX)
        return {};
    const zip_uint32_t type = (attributes >> 16) & 0170000;
    if (type == 0 || type == 0100000 || type == 0040000)
        return {};
    return type == 0120000 ? QStringLiteral("symbolic link") : QStringLiteral("special file");
}

QDateTime modificationTime(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat)
{
    zip_uint16_t length = 0;
    if (const zip_uint8_t* field =
            zip_file_extra_field_get_by_id(archive, index, NtfsField, 0, &length, ZIP_FL_CENTRAL)) {
        if (QDateTime time = ntfsModificationTime(field, length); time.isValid())
            return time;
    }
    if (const zip_uint8_t* field =
            zip_file_extra_field_get_by_id(archive, index, ExtendedTimestampField, 0, &length, ZIP_FL_CENTRAL)) {
        if (QDateTime time = extendedModificationTime(field, length); time.isValid())
            return time;
    }
    if (stat.valid & ZIP_STAT_MTIME)
        return QDateTime::fromSecsSinceEpoch(qint64(stat.mtime));
    return {};
}

QString archiveErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

void setFolderTime(const QString& path, const QDateTime& modified)
{
    using namespace std::chrono;
    const sys_time<milliseconds> time{milliseconds(modified.toMSecsSinceEpoch())};
    std::error_code ignored;
    std::filesystem::last_write_time(std::filesystem::path(path.toStdU16String()), file_clock::from_sys(time), ignored);
}

} // namespace

ExtractionJob::ExtractionJob(ExtractionRequest request, ExtractionChannel& channel, std::stop_token cancel)
    : request(std::move(request)), channel(channel), cancel(std::move(cancel))
{
    this->request.targetFolder = OurNames::folder(this->request.targetFolder);
    const QString root = OurNames::folder(this->request.installRoot);
    // A root that does not hold the target would move the entries somewhere else.
    this->request.installRoot = this->request.installRoot.isEmpty() || !this->request.targetFolder.startsWith(root)
                                    ? this->request.targetFolder
                                    : root;
}

ExtractionJob::~ExtractionJob()
{
    forgetPassword();
}

std::optional<std::uint64_t> ExtractionJob::payloadSize(const QString& zipPath)
{
    int openError = 0;
    const std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open(zipPath.toUtf8().constData(), ZIP_RDONLY, &openError));
    if (!archive)
        return std::nullopt;
    std::uint64_t total = 0;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE))
            total += stat.size;
    }
    return total;
}

ExtractionOutcome ExtractionJob::run()
{
    int openError = 0;
    const std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open(request.zipPath.toUtf8().constData(), ZIP_RDONLY, &openError));
    if (!archive) {
        failed(archiveErrorText(openError), QStringLiteral("  error: cannot open ") + request.zipPath +
                                                QStringLiteral("  (") + archiveErrorText(openError) + QLatin1Char(')'));
        return ExtractionOutcome::Failed;
    }
    std::vector<Entry> entries;
    if (!plan(archive.get(), entries))
        return ExtractionOutcome::Failed;
    const QString root = request.installRoot;
    if (!QDir().mkpath(root)) {
        failed(QStringLiteral("cannot create folder ") + root, QStringLiteral("  error: cannot create folder ") + root);
        return ExtractionOutcome::DestinationFailed;
    }
    StagingArea staging(root);
    if (!staging.created()) {
        failed(QStringLiteral("cannot create a staging folder in ") + root,
               QStringLiteral("  error: cannot create a staging folder in ") + root);
        return ExtractionOutcome::DestinationFailed;
    }
    stagedTarget = staging.filesFolder() + request.targetFolder.mid(root.size());

    buffer.resize(BufferBytes);
    bool complete = QDir().mkpath(stagedTarget);
    bool stopped = false;
    for (const Entry& entry : entries) {
        if (!complete || (stopped = stopRequested()))
            break;
        complete = extract(archive.get(), entry);
    }
    forgetPassword();
    // An entry that failed because of the stop (its question went unanswered) is no fault of the archive.
    if (stopped || (!complete && stopRequested()))
        return ExtractionOutcome::Stopped;
    if (!complete)
        return destinationFault ? ExtractionOutcome::DestinationFailed : ExtractionOutcome::Failed;
    restoreFolderTimes();
    return install(staging);
}

ExtractionOutcome ExtractionJob::install(StagingArea& staging)
{
    InstallTransaction transaction(request.installRoot, staging, request.previousVersion, cancel);
    switch (transaction.run()) {
    case InstallTransaction::Result::Installed:
        say(QStringLiteral("  installed: %1 files (%2 replaced)")
                .arg(transaction.fileCount())
                .arg(transaction.replacedCount()));
        return ExtractionOutcome::Extracted;
    case InstallTransaction::Result::Refused:
        failed(transaction.problem(),
               QStringLiteral("  error: ") + transaction.problem() + QStringLiteral("; nothing was changed"));
        break;
    case InstallTransaction::Result::Cancelled:
        if (!transaction.rollbackPending()) {
            say(QStringLiteral("  every file was put back as it was"));
            return ExtractionOutcome::StoppedAndUndone;
        }
        [[fallthrough]];
    case InstallTransaction::Result::RolledBack:
        failed(transaction.problem(), QStringLiteral("  error: ") + transaction.problem());
        say(transaction.rollbackPending()
                ? QStringLiteral("  error: not everything could be put back; the next start finishes it")
                : QStringLiteral("  every file was put back as it was"));
        break;
    }
    return ExtractionOutcome::DestinationFailed;
}

bool ExtractionJob::plan(zip_t* archive, std::vector<Entry>& entries)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count <= 0) {
        failed(request.zipPath + QStringLiteral(" holds no entries"),
               QStringLiteral("  error: ") + request.zipPath + QStringLiteral(" holds no entries"));
        return false;
    }
    int refused = 0;
    entries.reserve(std::size_t(count));
    for (zip_uint64_t index = 0; index < zip_uint64_t(count); ++index) {
        Entry entry;
        entry.index = index;
        const char* name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
        entry.name = name ? QString::fromUtf8(name) : QString();
        entry.path = EntryName::parse(entry.name);
        QString problem = name ? problemText(entry.path.problem) : QStringLiteral("unreadable name");
        // Read as code page 437, control bytes would turn into harmless symbols; they are
        // refused all the same, as everywhere else.
        if (const char* raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW); problem.isEmpty() && hasControlByte(raw)) {
            entry.name = QString::fromUtf8(raw);
            problem = problemText(NameProblem::ControlCharacter);
        }
        if (problem.isEmpty())
            problem = specialFileProblem(archive, index);
        zip_stat_t stat;
        if (problem.isEmpty() && zip_stat_index(archive, index, 0, &stat) != 0)
            problem = QStringLiteral("unreadable entry");
        if (!problem.isEmpty()) {
            if (++refused <= MaxRefusedLines)
                say(QStringLiteral("  refused: ") + printable(entry.name) + QStringLiteral("  (") + problem +
                    QLatin1Char(')'));
            continue;
        }
        if (refused > 0)
            continue;
        entry.method = (stat.valid & ZIP_STAT_COMP_METHOD) ? stat.comp_method : ZIP_CM_STORE;
        entry.encrypted = (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;
        entry.encryption = entry.encrypted ? stat.encryption_method : ZIP_EM_NONE;
        entry.crc = (stat.valid & ZIP_STAT_CRC) ? stat.crc : 0;
        if (stat.valid & ZIP_STAT_SIZE)
            entry.size = stat.size;
        entry.modified = modificationTime(archive, index, stat);
        entries.push_back(std::move(entry));
    }
    if (refused == 0)
        return true;
    failed(QStringLiteral("entries refused: %1; nothing was extracted").arg(refused),
           QStringLiteral("  error: entries refused: %1; nothing was extracted").arg(refused));
    return false;
}

bool ExtractionJob::extract(zip_t* archive, const Entry& entry)
{
    const QStringList& elements = entry.path.elements;
    if (entry.path.folder) {
        // Without the archive's folders, folder entries have nothing to create.
        if (!request.keepFolders || elements.isEmpty())
            return true;
        const QString folder = stagedTarget + elements.join(QLatin1Char('/'));
        say(QStringLiteral("   creating: ") + entry.name);
        if (!makeFolder(folder))
            return destinationFail(entry, QStringLiteral("cannot create the folder"));
        if (entry.modified.isValid())
            folderTimes.push_back({folder, entry.modified});
        return true;
    }
    QString destination = stagedTarget;
    if (request.keepFolders && elements.size() > 1) {
        destination += elements.mid(0, elements.size() - 1).join(QLatin1Char('/'));
        if (!makeFolder(destination))
            return destinationFail(entry, QStringLiteral("cannot create the folder"));
        destination += QLatin1Char('/');
    }
    destination += elements.last();
    say((entry.method == ZIP_CM_DEFLATE ? QStringLiteral("  inflating: ") : QStringLiteral(" extracting: ")) +
        (request.keepFolders ? entry.name : elements.last()));
    return extractFile(archive, entry, destination);
}

bool ExtractionJob::extractFile(zip_t* archive, const Entry& entry, const QString& destination)
{
    const std::unique_ptr<zip_file_t, EntryCloser> source(openEntry(archive, entry));
    if (!source)
        return false;
    EntryFile target(destination);
    if (!target.open())
        return destinationFail(entry, QStringLiteral("cannot create a file in its folder: ") + target.errorString());
    const bool aesWithoutCrc = entry.encrypted && isAesWithoutCrc(entry.encryption, entry.crc);
    std::uint64_t written = 0;
    for (;;) {
        // Reading up to the end makes libzip compare the data with the stored CRC and size.
        const zip_int64_t read = zip_fread(source.get(), buffer.data(), buffer.size());
        if (read < 0) {
            const bool falseCrcError = aesWithoutCrc && entry.size && written == *entry.size &&
                                       zip_error_code_zip(zip_file_get_error(source.get())) == ZIP_ER_CRC;
            if (!falseCrcError)
                return fail(entry, QString::fromUtf8(zip_file_strerror(source.get())));
            break;
        }
        if (read == 0)
            break;
        if (!target.write(buffer.data(), read))
            return destinationFail(entry, QStringLiteral("cannot write the file"));
        written += std::uint64_t(read);
    }
    if (entry.size && written != *entry.size)
        return fail(entry, QStringLiteral("wrong size"));
    if (aesWithoutCrc && !aesDataAuthentic(archive, entry.index, entry.encryption, *password))
        return fail(entry, QStringLiteral("authentication failed"));
    if (!target.commit(entry.modified))
        return destinationFail(entry, QStringLiteral("cannot finish ") + destination);
    return true;
}

zip_file_t* ExtractionJob::openEntry(zip_t* archive, const Entry& entry)
{
    if (!entry.encrypted) {
        zip_file_t* file = zip_fopen_index(archive, entry.index, 0);
        if (!file)
            fail(entry, QString::fromUtf8(zip_strerror(archive)));
        return file;
    }
    if (!password)
        password = channel.askPassword(entry.name);
    if (!password) {
        // Unanswered because of a stop: no fault of the entry.
        if (!stopRequested())
            fail(entry, QStringLiteral("no password"));
        return nullptr;
    }
    zip_file_t* file = zip_fopen_index_encrypted(archive, entry.index, 0, password->constData());
    if (file)
        return file;
    const bool wrong = zip_error_code_zip(zip_get_error(archive)) == ZIP_ER_WRONGPASSWD;
    fail(entry, QString::fromUtf8(zip_strerror(archive)));
    // The next encrypted entry asks again, as it may have a password of its own.
    if (wrong)
        forgetPassword();
    return nullptr;
}

bool ExtractionJob::makeFolder(const QString& path)
{
    // Most entries share their folder with the one before; asking the file system again
    // for each would cost as much as writing a small file.
    if (madeFolders.contains(path))
        return true;
    if (!QDir().mkpath(path))
        return false;
    madeFolders.insert(path);
    return true;
}

bool ExtractionJob::fail(const Entry& entry, const QString& reason)
{
    failed(printable(entry.name) + QStringLiteral(": ") + reason,
           QStringLiteral("  error: ") + printable(entry.name) + QStringLiteral("  (") + reason + QLatin1Char(')'));
    return false;
}

void ExtractionJob::failed(const QString& reason, const QString& line)
{
    if (cause.isEmpty())
        cause = reason;
    say(line);
}

bool ExtractionJob::destinationFail(const Entry& entry, const QString& reason)
{
    destinationFault = true;
    return fail(entry, reason);
}

bool ExtractionJob::stopRequested() const
{
    return channel.stopRequested() || cancel.stop_requested();
}

void ExtractionJob::say(const QString& line)
{
    channel.post(ExtractionEvent{ExtractionEvent::Kind::Line, line});
}

void ExtractionJob::forgetPassword()
{
    if (password)
        password->fill('\0');
    password.reset();
}

void ExtractionJob::restoreFolderTimes()
{
    // Only after the last file: every file put into a folder changes the folder's time.
    for (auto it = folderTimes.rbegin(); it != folderTimes.rend(); ++it)
        setFolderTime(it->path, it->modified);
    folderTimes.clear();
}
