#pragma once

// Where an installation's archive comes from and where it is kept: the address on a
// server and the file in the work folder.

#include <QString>

#include <cstdint>

struct AppState;

struct ArchiveSource
{
    QString address;
    QString localPath;

    // Products 0 to 3: the build of version for the platform in `PlatformIndex`. Empty
    // (refused) when the version is no usable path segment or the file would not lie
    // directly in the work folder.
    static ArchiveSource forBuild(const AppState& state, std::uint8_t product, const QString& version);
    // A file of the maker's server (serverPath such as "/files/updater.exe") kept as
    // localPath; refused when localPath is not directly in the work folder.
    static ArchiveSource fromMaker(const AppState& state, const QString& serverPath, const QString& localPath);

    // "korvane-#-windows-win9x.zip", "-win32", "-win64" (any other index), # the version.
    static QString archiveName(int platformIndex, const QString& version);
    // text as one percent-encoded path segment; empty for "." and "..", which a server
    // would take as a step between folders.
    static QString pathSegment(const QString& text);
    // Whether path names a file directly inside workFolder.
    static bool inWorkFolder(const QString& workFolder, const QString& path);

    bool refused() const { return address.isEmpty() || localPath.isEmpty(); }
};
