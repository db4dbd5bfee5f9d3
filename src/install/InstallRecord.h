#pragma once

// What an installation changes in its folder, written down before the first file
// moves: the journal while it runs, the undo record once it is done. It names the
// staging folder, the version the folder goes back to, the folders it creates and
// every file it adds or replaces, so an interrupted or unwanted installation can be
// taken back from it alone.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct InstallRecord
{
    struct File
    {
        QString path; // relative to the installation folder, "/" between elements
        bool replaced = false;
    };

    QString staging;         // the staging folder's name inside the installation folder
    QString previousVersion; // the game version before the installation; may be empty
    QStringList folders;     // created by the installation, parents first
    std::vector<File> files;

    // Written to a temporary file, flushed to the disk and renamed over path.
    bool write(const QString& path) const;
    // Nothing when the file is missing or is no record of ours.
    static std::optional<InstallRecord> read(const QString& path);
};

// The names of ours inside an installation folder; nothing else there is ever removed.
namespace OurNames {

inline const QString Prefix = QStringLiteral(".krvnm-");
inline const QString StagingPrefix = QStringLiteral(".krvnm-staging-");
inline const QString Journal = QStringLiteral(".krvnm-journal");
inline const QString Backup = QStringLiteral(".krvnm-backup");
inline const QString Undo = QStringLiteral(".krvnm-undo");
// Inside a staging folder and inside the backup.
inline const QString Files = QStringLiteral("files");
inline const QString Record = QStringLiteral("record");

// A folder path ending in "/".
QString folder(const QString& path);

} // namespace OurNames
