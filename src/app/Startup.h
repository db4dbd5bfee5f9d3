#pragma once

// The start-up and shutdown steps that need no window: folders, work files and the
// shutdown keys. MainCommands runs them in order.

#include <QString>
#include <QStringList>

struct AppState;
class Platform;
class SettingsStore;

namespace WorkFileName {
inline const QString Versions = QStringLiteral("versions.tmp");
inline const QString Listing = QStringLiteral("krvnsupd.tmp");
inline const QString NightlyListing = QStringLiteral("krvnnupd.tmp");
inline const QString Manager = QStringLiteral("krvnmngr.tmp");
inline const QString Updater = QStringLiteral("updater4.exe");
inline const QString NewProgram = QStringLiteral("krvnm.exe.tmp");
} // namespace WorkFileName

// WorkFolder, created with any missing parent; throws Failure when it cannot be made.
void setUpWorkFolder(AppState& state, Platform& platform);
// SystemFolder, AppFolder (one trailing separator) and AppVersion.
void setUpProgramFolders(AppState& state, Platform& platform);
// "folder" with exactly one trailing separator in the system's style.
QString withTrailingSeparator(const QString& folder);

void formWorkFilePaths(AppState& state);
// Work files of an earlier run, and partial downloads it left behind.
void deleteStaleWorkFiles(const AppState& state);

// Shutdown: deletes the listing work files and stores the three shutdown keys, in order,
// ignoring failures.
void shutDown(const AppState& state, SettingsStore& store);
