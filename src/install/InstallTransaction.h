#pragma once

// Moves a fully extracted staging folder into the installation folder, all or nothing.
// Before anything moves it checks every destination (no link, junction or file in the
// way of a folder) and writes the journal; then each file it replaces goes into the
// staging folder's backup and each new file takes its place. A failing move puts
// everything back as it was. Once every file is in place the journal becomes the undo
// record of the backup, which replaces the previous installation's.

#include "install/InstallRecord.h"

#include <QSet>
#include <QString>

#include <filesystem>
#include <optional>
#include <stop_token>
#include <vector>

class StagingArea;

class InstallTransaction
{
public:
    enum class Result
    {
        Installed,
        Refused,    // something in the destination is in the way; nothing moved
        RolledBack, // a move failed; the folder is as it was
        Cancelled   // cancel was requested during the moves; they were rolled back
    };

    // root ends in "/". A cancel request before the last move rolls back what has moved:
    // the journal can always do that at once, while finishing could meet a failing move.
    InstallTransaction(QString root, StagingArea& staging, QString previousVersion, std::stop_token cancel = {});

    Result run();
    // What went wrong, in English, for the status list.
    const QString& problem() const { return reason; }
    // True when putting back failed too: the journal stays for the next start.
    bool rollbackPending() const { return pending; }
    int replacedCount() const { return replaced; }
    int fileCount() const { return int(record.files.size()); }

    // Takes an installation back from its record: restores every replaced file that is
    // in backupFiles and removes every added file that is no longer in stagedFiles (all
    // of them when stagedFiles is empty), then the folders it created when they are
    // empty. Safe to repeat after an interruption. False when a file could not be put back.
    static bool putBack(const QString& root, const InstallRecord& record, const QString& backupFiles,
                        const QString& stagedFiles);
    // Makes backupFolder (holding "files" and "record") the installation folder's undo point.
    static bool promoteBackup(const QString& root, const QString& backupFolder);

private:
    bool plan();
    bool checkDestination(const QString& relative, bool isFolder);
    bool moveAll();
    bool commit();
    void rollBack();

    QString root;
    StagingArea& staging;
    std::stop_token cancel;
    InstallRecord record;
    QString reason;
    bool pending = false;
    int replaced = 0;
    QSet<QString> knownFolders;   // relative paths already checked as real folders
    QSet<QString> createdFolders; // the same as record.folders, for look-ups
    QSet<QString> backupFolders;  // made in the backup already
    QStringList stagedFolders;
    std::vector<std::optional<std::filesystem::file_time_type>> stagedFolderTimes;
};
