#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/Version.h"
#include "app/Waits.h"
#include "lang/BuiltinStrings.h"

#include <QDir>
#include <QFileInfo>

void SetUpWorkFolder(AppState& state, Platform& platform)
{
    const QString folder = platform.workFolder();
    // Without the system's folder there is no work folder: never fall back to the current
    // drive's root or folder, whose files the work-file clean-up would delete.
    if (folder.isEmpty())
        throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error: no Windows folder"));
    state.WorkFolder = WithTrailingSeparator(folder);
    if (!QDir().mkpath(state.WorkFolder))
        throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error: %1").arg(state.WorkFolder));
}

void SetUpProgramFolders(AppState& state, Platform& platform)
{
    state.SystemFolder = WithTrailingSeparator(platform.systemFolder());
    state.AppFolder = WithTrailingSeparator(QFileInfo(platform.applicationFilePath()).absolutePath());
    state.AppVersion = QString::fromLatin1(AppVersionText);
}

QString WithTrailingSeparator(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    while (native.size() > 1 && native.endsWith(separator) && native.at(native.size() - 2) == separator)
        native.chop(1);
    if (!native.endsWith(separator))
        native += separator;
    return native;
}

void FormWorkFilePaths(AppState& state)
{
    if (state.WorkFolder.isEmpty())
        return;
    state.VersionsFile = state.WorkFolder + WorkFileName::Versions;
    state.ListingFile = state.WorkFolder + WorkFileName::Listing;
    state.NightlyListingFile = state.WorkFolder + WorkFileName::NightlyListing;
    state.ManagerFile = state.WorkFolder + WorkFileName::Manager;
    state.UpdaterFile = state.WorkFolder + WorkFileName::Updater;
}

void DeleteStaleWorkFiles(const AppState& state)
{
    if (state.WorkFolder.isEmpty())
        return;
    for (const QString& name : {WorkFileName::Versions, WorkFileName::Listing, WorkFileName::NightlyListing,
                                WorkFileName::Manager, WorkFileName::Updater, WorkFileName::NewProgram})
        DeleteFileWait(state.WorkFolder + name, false);
    const QDir work(state.WorkFolder);
    for (const QString& partial : work.entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden))
        DeleteFileWait(work.filePath(partial), false);
}

int LanguageIndexForKey(const QString& language, const QStringList& keys)
{
    int index = 0;
    if (language.isEmpty())
        return index;
    for (int k = 0; k < keys.size(); ++k)
        if (keys.at(k).contains(language))
            index = k;
    return index;
}

QStringList LanguageKeys(const BuiltinStrings& strings)
{
    QStringList keys;
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
        keys << strings.lookup(BuiltinStrings::DescriptorBase + k).value_or(QString()).section(QLatin1Char('-'), 2);
    return keys;
}

void SelectLanguage(AppState& state, const BuiltinStrings& strings)
{
    if (state.Language == QLatin1String("---") || state.Language.isEmpty()) {
        state.LanguageIndex = 0; // English until the user's locale is consulted
        return;
    }
    state.LanguageIndex = static_cast<std::uint8_t>(LanguageIndexForKey(state.Language, LanguageKeys(strings)));
}

void ShutDown(const AppState& state, SettingsStore& store)
{
    if (!state.WorkFolder.isEmpty()) {
        for (const QString& name : {WorkFileName::Listing, WorkFileName::NightlyListing, WorkFileName::Manager,
                                    QStringLiteral("ablog.htm"), QStringLiteral("nlog.htm")})
            DeleteFileWait(state.WorkFolder + name, false);
    }
    FailureScope ignored(nullptr, QStringLiteral("Unload"));
    ignored.step([&] { store.write(QStringLiteral("WinTempPath"), state.WorkFolder); });
    ignored.step([&] { store.write(QStringLiteral("LatestVersionGot"), state.LatestVersionGot); });
    ignored.step([&] { store.write(QStringLiteral("LastSelfCheckDate"), state.LastSelfCheckDate); });
    ignored.clear();
}
