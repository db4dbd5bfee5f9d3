#include "app/Startup.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/Version.h"
#include "app/Waits.h"

#include <QDir>
#include <QFileInfo>

void setUpWorkFolder(AppState& state, Platform& platform)
{
    const QString folder = platform.workFolder();
    // Without the system's folder there is no work folder: never fall back to the current
    // drive's root or folder, whose files the work-file clean-up would delete.
    if (folder.isEmpty())
        throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error: no Windows folder"));
    state.workFolder = withTrailingSeparator(folder);
    if (!QDir().mkpath(state.workFolder))
        throw Failure(FailureCode::PathAccess, QStringLiteral("Path/File access error: %1").arg(state.workFolder));
}

void setUpProgramFolders(AppState& state, Platform& platform)
{
    state.systemFolder = withTrailingSeparator(platform.systemFolder());
    state.appFolder = withTrailingSeparator(QFileInfo(platform.applicationFilePath()).absolutePath());
    state.appVersion = QString::fromLatin1(AppVersionText);
}

QString withTrailingSeparator(const QString& folder)
{
    QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    while (native.size() > 1 && native.endsWith(separator) && native.at(native.size() - 2) == separator)
        native.chop(1);
    if (!native.endsWith(separator))
        native += separator;
    return native;
}

void formWorkFilePaths(AppState& state)
{
    if (state.workFolder.isEmpty())
        return;
    state.versionsFile = state.workFolder + WorkFileName::Versions;
    state.listingFile = state.workFolder + WorkFileName::Listing;
    state.nightlyListingFile = state.workFolder + WorkFileName::NightlyListing;
    state.managerFile = state.workFolder + WorkFileName::Manager;
    state.updaterFile = state.workFolder + WorkFileName::Updater;
}

void deleteStaleWorkFiles(const AppState& state)
{
    if (state.workFolder.isEmpty())
        return;
    for (const QString& name : {WorkFileName::Versions, WorkFileName::Listing, WorkFileName::NightlyListing,
                                WorkFileName::Manager, WorkFileName::Updater, WorkFileName::NewProgram})
        deleteFileWait(state.workFolder + name, false);
    const QDir work(state.workFolder);
    for (const QString& partial : work.entryList({QStringLiteral("*.part")}, QDir::Files | QDir::Hidden))
        deleteFileWait(work.filePath(partial), false);
}

void shutDown(const AppState& state, SettingsStore& store)
{
    if (!state.workFolder.isEmpty()) {
        for (const QString& name : {WorkFileName::Listing, WorkFileName::NightlyListing, WorkFileName::Manager,
                                    QStringLiteral("ablog.htm"), QStringLiteral("nlog.htm")})
            deleteFileWait(state.workFolder + name, false);
    }
    FailureScope ignored(nullptr, QStringLiteral("Unload"));
    ignored.step([&] { store.write(SettingKey::WinTempPath, state.workFolder); });
    ignored.step([&] { store.write(SettingKey::LatestVersionGot, state.latestVersionGot); });
    ignored.step([&] { store.write(SettingKey::LastSelfCheckDate, state.lastSelfCheckDate); });
}
