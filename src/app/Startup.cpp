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
}
