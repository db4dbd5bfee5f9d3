#pragma once

// The start-up and shutdown steps that need no window: folders, work files, the
// language choice and the shutdown keys. frmMain runs them in order.

#include <QString>
#include <QStringList>

struct AppState;
class BuiltinStrings;
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
void SetUpWorkFolder(AppState& state, Platform& platform);
// SystemFolder, AppFolder (one trailing separator) and AppVersion.
void SetUpProgramFolders(AppState& state, Platform& platform);
// "folder" with exactly one trailing separator in the system's style.
QString WithTrailingSeparator(const QString& folder);

void FormWorkFilePaths(AppState& state);
// Work files of an earlier run, and partial downloads it left behind.
void DeleteStaleWorkFiles(const AppState& state);

// The last language whose key contains the stored Language text; 0 (English) when none
// does or the text is empty.
int LanguageIndexForKey(const QString& language, const QStringList& keys);
// The language keys of the built-in descriptors, in language order.
QStringList LanguageKeys(const BuiltinStrings& strings);
// The stored-key half of the language choice, for a caller without the platform at hand:
// "---" and an empty key leave English. SelectLanguage(state, platform) in
// lang/UserLanguage.h makes the whole choice, detecting the user's language.
void SelectLanguage(AppState& state, const BuiltinStrings& strings);

// Shutdown: deletes the listing work files and stores the three shutdown keys, in order,
// ignoring failures.
void ShutDown(const AppState& state, SettingsStore& store);
