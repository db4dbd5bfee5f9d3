#include "install/InstallTransaction.h"

#include "install/StagingArea.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

const QString CancelledReason = QStringLiteral("cancelled");

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(path.toStdU16String());
}

// One rename on one volume: it either happens whole or not at all.
bool moveFile(const QString& from, const QString& to)
{
    std::error_code error;
    std::filesystem::rename(nativePath(from), nativePath(to), error);
    return !error;
}

// Whether anything is at path, a dangling link included.
bool present(const QString& path)
{
    std::error_code error;
    return std::filesystem::symlink_status(nativePath(path), error).type() != std::filesystem::file_type::not_found &&
           !error;
}

bool isLink(const QFileInfo& info)
{
    return info.isSymbolicLink() || info.isJunction();
}

QString parentOf(const QString& relative)
{
    const qsizetype slash = relative.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : relative.left(slash);
}

std::optional<std::filesystem::file_time_type> folderTime(const QString& path)
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(nativePath(path), error);
    return error ? std::nullopt : std::optional(time);
}

void setFolderTime(const QString& path, std::filesystem::file_time_type time)
{
    std::error_code ignored;
    std::filesystem::last_write_time(nativePath(path), time, ignored);
}

} // namespace

InstallTransaction::InstallTransaction(QString root, StagingArea& staging, QString previousVersion,
                                       std::stop_token cancel)
    : root(OurNames::folder(root)), staging(staging), cancel(std::move(cancel))
{
    record.staging = staging.name();
    record.previousVersion = std::move(previousVersion);
}

InstallTransaction::Result InstallTransaction::run()
{
    if (!plan())
        return Result::Refused;
    if (!record.write(root + OurNames::Journal)) {
        reason = QStringLiteral("cannot write the journal ") + root + OurNames::Journal;
        QFile::remove(root + OurNames::Journal);
        return Result::Refused;
    }
    if (moveAll() && commit())
        return Result::Installed;
    rollBack();
    return cancel.stop_requested() && reason == CancelledReason ? Result::Cancelled : Result::RolledBack;
}

bool InstallTransaction::plan()
{
    const QString staged = staging.filesFolder();
    QDirIterator it(staged, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext()) {
        const QString relative = it.next().mid(staged.size());
        if (it.fileInfo().isDir())
            stagedFolders.append(relative);
        else
            files.append(relative);
    }
    std::sort(stagedFolders.begin(), stagedFolders.end()); // parents before their children
    // Read now: every file moved out of a staged folder changes its time.
    for (const QString& folder : std::as_const(stagedFolders))
        stagedFolderTimes.push_back(folderTime(staged + folder));
    std::sort(files.begin(), files.end());
    for (const QString& folder : std::as_const(stagedFolders))
        if (!checkDestination(folder, true))
            return false;
    for (const QString& file : std::as_const(files)) {
        if (!checkDestination(file, false))
            return false;
        const bool exists = present(root + file);
        record.files.push_back({file, exists});
        replaced += exists ? 1 : 0;
    }
    return true;
}

bool InstallTransaction::checkDestination(const QString& relative, bool isFolder)
{
    // The folders on the way were checked with the folder entries, parents first.
    const QString parent = parentOf(relative);
    if (!parent.isEmpty() && !knownFolders.contains(parent) && !createdFolders.contains(parent) &&
        !checkDestination(parent, true))
        return false;
    const QFileInfo info(root + relative);
    if (isLink(info)) {
        reason = QStringLiteral("refused: a link inside the game folder is in the way: ") + relative;
        return false;
    }
    if (!present(root + relative)) {
        if (isFolder) {
            record.folders.append(relative);
            createdFolders.insert(relative);
        }
        return true;
    }
    if (isFolder != info.isDir()) {
        reason = (isFolder ? QStringLiteral("refused: a file stands where the archive has a folder: ")
                           : QStringLiteral("refused: a folder stands where the archive has a file: ")) +
                 relative;
        return false;
    }
    if (isFolder)
        knownFolders.insert(relative);
    return true;
}

bool InstallTransaction::moveAll()
{
    for (const QString& folder : std::as_const(record.folders))
        if (!QDir(root).mkdir(folder)) {
            reason = QStringLiteral("cannot create the folder ") + root + folder;
            return false;
        }
    const QString staged = staging.filesFolder();
    const QString backup = staging.backupFilesFolder();
    for (const InstallRecord::File& file : record.files) {
        if (cancel.stop_requested()) {
            reason = CancelledReason;
            return false;
        }
        if (file.replaced) {
            const QString parent = parentOf(file.path);
            if (!backupFolders.contains(parent)) {
                if (!QDir().mkpath(backup + parent)) {
                    reason = QStringLiteral("cannot create the folder ") + backup + parent;
                    return false;
                }
                backupFolders.insert(parent);
            }
            if (!moveFile(root + file.path, backup + file.path)) {
                reason = QStringLiteral("cannot move aside ") + root + file.path;
                return false;
            }
        }
        if (!moveFile(staged + file.path, root + file.path)) {
            reason = QStringLiteral("cannot put in place ") + root + file.path;
            return false;
        }
    }
    // Every move changed a folder's time; the archive's folder times go on last.
    for (qsizetype i = stagedFolders.size() - 1; i >= 0; --i)
        if (stagedFolderTimes[std::size_t(i)])
            setFolderTime(root + stagedFolders.at(i), *stagedFolderTimes[std::size_t(i)]);
    return true;
}

bool InstallTransaction::commit()
{
    if (!QDir().mkpath(staging.backupFilesFolder())) {
        reason = QStringLiteral("cannot keep the backup in ") + staging.backupFolder();
        return false;
    }
    // The journal turning into the backup's record is the moment the installation is done.
    if (!moveFile(root + OurNames::Journal, staging.backupFolder() + OurNames::Record)) {
        reason = QStringLiteral("cannot finish the journal ") + root + OurNames::Journal;
        return false;
    }
    // Without its undo point the new installation still stands.
    promoteBackup(root, staging.backupFolder());
    return true;
}

void InstallTransaction::rollBack()
{
    if (!putBack(root, record, staging.backupFilesFolder(), staging.filesFolder())) {
        pending = true;
        staging.keep();
        return;
    }
    QFile::remove(root + OurNames::Journal);
}

bool InstallTransaction::putBack(const QString& root, const InstallRecord& record, const QString& backupFiles,
                                 const QString& stagedFiles)
{
    bool complete = true;
    for (auto it = record.files.crbegin(); it != record.files.crend(); ++it) {
        const QString target = root + it->path;
        if (it->replaced) {
            if (present(backupFiles + it->path))
                complete = moveFile(backupFiles + it->path, target) && complete;
        } else if (stagedFiles.isEmpty() || !present(stagedFiles + it->path)) {
            if (present(target) && !QFileInfo(target).isDir())
                complete = QFile::remove(target) && complete;
        }
    }
    // A folder that holds something not ours stays.
    for (auto it = record.folders.crbegin(); it != record.folders.crend(); ++it)
        QDir(root).rmdir(*it);
    return complete;
}

bool InstallTransaction::promoteBackup(const QString& root, const QString& backupFolder)
{
    const QString current = root + OurNames::Backup;
    if (present(current)) {
        // Renamed first, so an interruption never leaves half a backup under the real name.
        const QString old =
            root + OurNames::StagingPrefix +
            QStringLiteral("old-%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        if (!moveFile(current, old))
            return false;
        QDir(old).removeRecursively();
    }
    return moveFile(OurNames::folder(backupFolder).chopped(1), current);
}
