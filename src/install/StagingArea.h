#pragma once

// A fresh folder of ours inside the installation folder, so it lies on the same volume
// and every move out of it is a rename: the archive is extracted into its "files"
// folder, which mirrors the installation folder, and the files an installation
// replaces are moved into its "backup" folder.

#include <QString>

class StagingArea
{
public:
    // Creates ".krvnm-staging-" + a random suffix inside root (ending in "/").
    explicit StagingArea(const QString& root);
    ~StagingArea(); // removes the folder and what is left in it, unless kept
    StagingArea(const StagingArea&) = delete;
    StagingArea& operator=(const StagingArea&) = delete;

    bool created() const { return !path.isEmpty(); }
    QString name() const { return folderName; }
    // Ending in "/".
    QString filesFolder() const { return path + QStringLiteral("files/"); }
    QString backupFolder() const { return path + QStringLiteral("backup/"); }
    QString backupFilesFolder() const { return backupFolder() + QStringLiteral("files/"); }

    // Removes the folder now.
    void remove();
    // Leaves the folder for the next start, which finishes what it holds.
    void keep() { path.clear(); }

private:
    QString path; // ending in "/"
    QString folderName;
};
