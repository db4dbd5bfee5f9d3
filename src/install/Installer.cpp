#include "install/Installer.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "detect/DetectionView.h"
#include "detect/GameDetection.h"
#include "install/ArchiveSource.h"
#include "install/BaseSet.h"
#include "install/InstallFolder.h"
#include "install/InstallView.h"
#include "install/ZipExtractor.h"
#include "net/DownloadEngine.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool FileExists(const QString& path)
{
    return QFileInfo::exists(path);
}

} // namespace

Installer::Installer(AppState& state, AppServices& services, DownloadEngine& engine, ZipExtractor& extractor,
                     GameDetection& detection, InstallView& view)
    : state(state), services(services), engine(engine), extractor(extractor), detection(detection), view(view)
{}

void Installer::LiveUpdateNow(std::uint8_t product)
{
    if (product > BaseSetFiles)
        return;
    FailureScope steps(&services.errors, QStringLiteral("LiveUpdateNow - ProductID #") + QString::number(product));
    // An early end reports nothing: whatever ended it has told the user already.
    const auto stop = [&] { steps.clear(); };

    if (!engine.PrepareConnection() && product != NewManager) {
        engine.AbortDownload(false);
        return stop();
    }
    if (product == Nightly && view.isVersionRowSelected(Nightly) &&
        services.dialogs.message(state.str(Str::NightlyWarning), MessageIcon::Question, MessageButtons::OkCancel) !=
            Answer::Ok)
        return stop();
    if (state.KrvnPath.isEmpty() && !ChooseInstallFolder(steps))
        return stop();
    steps.step([&] { view.EnableControls(false); });
    steps.step([&] { view.clearStatusList(); });

    End end = End::Closing;
    if (product <= OlderRelease)
        end = InstallBuild(product, steps);
    else if (product == NewManager)
        end = ReplaceManager(steps);
    else
        end = InstallBaseSet(steps);

    if (end == End::Stopped)
        return stop();
    // Nested: the base set has closed; a failure of the build's own steps is still reported.
    if (end == End::Nested)
        return;
    steps.step([&] { view.EnableControls(true); });
    steps.step([&] { engine.SetDownloadStatus(state.str(Str::Done)); });
}

bool Installer::ChooseInstallFolder(FailureScope& steps)
{
    QString answer;
    steps.step([&] { answer = detection.BrowseForFolder(state.str(Str::SelectInstallFolder)); });
    if (answer.isEmpty())
        return false;
    steps.step([&] { state.KrvnPath = InstallFolder::FromAnswer(answer, services.platform); });
    steps.step([&] { detection.GetKRVNVersion(true); });
    return true;
}

QString Installer::VersionOf(std::uint8_t product)
{
    switch (product) {
    case Stable:
        return state.LatestStable;
    case Beta:
        return state.LatestBeta;
    case Nightly:
        return state.LatestNightly;
    default:
        break;
    }
    const int index = view.restoreSelectedIndex();
    if (index < 0 || index >= state.OlderReleases.size() || state.OlderReleases.at(index).version.isEmpty())
        throw Failure(FailureCode::Unexpected, QStringLiteral("No older release is selected"));
    selectedVersion = state.OlderReleases.at(index).version;
    return selectedVersion;
}

void Installer::RefuseArchive(FailureScope& steps, const QString& what)
{
    engine.LiveUpdateEvent(state.str(Str::InstallFailed));
    steps.step([&] { throw Failure(FailureCode::FileAccess, QStringLiteral("Refused archive: ") + what); });
}

Installer::End Installer::InstallBuild(std::uint8_t product, FailureScope& steps)
{
    QString version = selectedVersion;
    steps.step([&] { version = VersionOf(product); });
    const ArchiveSource archive = ArchiveSource::ForBuild(state, product, version);
    if (archive.refused()) {
        steps.step([&] { view.SetStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed)); });
        RefuseArchive(steps, version);
        return End::Closing;
    }

    if (!FileExists(archive.localPath)) {
        steps.step([&] { view.SetStatusIcon(product, StatusPicture::Downloading, state.str(Str::Downloading)); });
        if (!engine.DownloadFile(archive.address, archive.localPath, false, pauses.afterDownloadMs))
            return End::Stopped;
    }
    steps.step([&] { view.SetStatusIcon(product, StatusPicture::Wait, state.str(Str::PleaseWait)); });

    // The box names the folder installed into, even when the new files hold no game and
    // the identification below forgets the folder.
    const QString installFolder = state.KrvnPath;
    bool extracted = false;
    steps.step([&] { extracted = extractor.UnzipArchive(archive.localPath, installFolder, true); });
    if (extracted) {
        steps.step([&] { view.SetStatusIcon(product, StatusPicture::Installed, state.str(Str::NowInstalled)); });
        steps.step([&] { engine.LiveUpdateEvent(state.str(Str::FilesExtracted)); });
        steps.step([&] { engine.LiveUpdateEvent(state.str(Str::InstalledSuccessfully)); });
        steps.step([&] { detection.GetKRVNVersion(false); });
        steps.step([&] {
            services.dialogs.message(state.str(Str::InstalledAt) + QStringLiteral("\r\n") + installFolder,
                                     MessageIcon::Information);
        });
    } else {
        steps.step([&] { view.SetStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed)); });
        steps.step([&] { engine.LiveUpdateEvent(state.str(Str::UnzipFailed)); });
        steps.step([&] { services.dialogs.message(state.str(Str::UnzipFailed), MessageIcon::Exclamation); });
    }
    return OfferBaseSet(steps);
}

Installer::End Installer::OfferBaseSet(FailureScope& steps)
{
    bool present = false;
    steps.step([&] { present = BaseSet::IsPresent(state.BaseSetFolder); });
    if (present)
        return End::Closing;
    Answer answer = Answer::No;
    steps.step([&] {
        answer = services.dialogs.message(state.str(Str::BaseSetMissing), MessageIcon::Question, MessageButtons::YesNo);
    });
    if (answer != Answer::Yes)
        return End::Closing;
    LiveUpdateNow(BaseSetFiles);
    return End::Nested;
}

Installer::End Installer::InstallBaseSet(FailureScope& steps)
{
    // Without an identified game there is no folder to fill; unpacking into an empty
    // path would scatter the files into whatever the current folder is.
    if (state.BaseSetFolder.isEmpty()) {
        steps.step([&] { engine.LiveUpdateEvent(state.str(Str::PathNotSpecified)); });
        return End::Closing;
    }
    const ArchiveSource archive = ArchiveSource::FromMaker(state, QStringLiteral("/files/krvnm_baseset.zip"),
                                                           state.WorkFolder + QStringLiteral("baseset.zip"));
    if (archive.refused()) {
        RefuseArchive(steps, state.WorkFolder);
        return End::Closing;
    }
    if (!FileExists(archive.localPath) &&
        !engine.DownloadFile(archive.address, archive.localPath, false, pauses.afterDownloadMs))
        return End::Stopped;
    bool extracted = false;
    steps.step([&] { extracted = extractor.UnzipArchive(archive.localPath, state.BaseSetFolder, false); });
    steps.step([&] { Wait(pauses.afterBaseSetMs); });
    steps.step([&] { engine.LiveUpdateEvent(state.str(extracted ? Str::FilesExtracted : Str::UnzipFailed)); });
    return End::Closing;
}

Installer::End Installer::ReplaceManager(FailureScope& steps)
{
    steps.step([&] { DeleteFileWait(state.ManagerFile, false); });
    const ArchiveSource updater =
        ArchiveSource::FromMaker(state, QStringLiteral("/files/updater.exe"), state.UpdaterFile);
    const ArchiveSource manager = ArchiveSource::FromMaker(state, QStringLiteral("/files/krvnm.exe"),
                                                           state.WorkFolder + QStringLiteral("krvnm.exe.tmp"));
    if (updater.refused() || manager.refused()) {
        RefuseArchive(steps, updater.refused() ? state.UpdaterFile : state.WorkFolder);
        return End::Closing;
    }
    if (!engine.DownloadFile(updater.address, updater.localPath, false, pauses.afterUpdaterMs))
        return End::Stopped;

    SettingsStore& settings = services.settings;
    steps.step([&] { settings.write(QStringLiteral("AppPath"), state.AppFolder); });
    steps.step([&] {
        settings.write(QStringLiteral("AppExeName"), QFileInfo(services.platform.applicationFilePath()).fileName());
    });
    steps.step([&] { settings.write(QStringLiteral("msg1"), state.str(Str::PleaseWait)); });
    steps.step([&] { settings.write(QStringLiteral("msg2"), state.str(Str::ApplyingProgramUpdate)); });
    steps.step([&] { settings.write(QStringLiteral("msg3"), state.str(Str::Cancel)); });

    if (!engine.DownloadFile(manager.address, manager.localPath, false, pauses.afterDownloadMs))
        return End::Stopped;
    steps.step([&] {
        const QString folder = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(state.AppFolder)));
        services.platform.startDetached(updater.localPath, {}, folder);
    });
    // The program ends here; nothing is left to report to.
    steps.clear();
    view.unloadMainWindow();
    return End::Stopped;
}

void Installer::cboRestore_GotFocus()
{
    view.selectVersionRow(OlderRelease);
}

void Installer::cboRestore_Click(bool listEnabled, int itemCount, int selectedIndex)
{
    constexpr int ShortestList = 10;
    if (!listEnabled || itemCount <= ShortestList)
        return;
    if (selectedIndex < 0 || selectedIndex >= state.OlderReleases.size())
        return;
    const QString& version = state.OlderReleases.at(selectedIndex).version;
    // The empty closing record is no release, even while no game is identified.
    if (!version.isEmpty() && version == state.KrvnVersion)
        view.SetStatusIcon(OlderRelease, StatusPicture::Installed, state.str(Str::NowInstalled));
    else
        view.hideStatusIcon(OlderRelease);
}
