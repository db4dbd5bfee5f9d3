#include "install/Installer.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/SettingsStore.h"
#include "app/StringIds.h"
#include "app/Waits.h"
#include "detect/GameDetection.h"
#include "install/ArchiveFetch.h"
#include "install/ArchiveSource.h"
#include "install/BaseSet.h"
#include "install/ExtractionJob.h"
#include "install/InstallFolder.h"
#include "install/ReleaseOrder.h"
#include "install/ZipExtractor.h"
#include "net/DownloadEngine.h"
#include "net/DownloadView.h"
#include "sysinfo/MemoryStatus.h"

#include <QDir>
#include <QFileInfo>

Installer::Installer(AppState& state, AppServices& services, DownloadEngine& engine, ZipExtractor& extractor,
                     GameDetection& detection, DownloadView& status, MainWindowViews views)
    : state(state), services(services), engine(engine), extractor(extractor), detection(detection), status(status),
      views(views)
{}

void Installer::installProduct(std::uint8_t product)
{
    if (product > BaseSetFiles)
        return;
    FailureScope steps(&services.errors, QStringLiteral("LiveUpdateNow - ProductID #") + QString::number(product));
    // An early end reports nothing: whatever ended it has told the user already.
    const auto stop = [&] { steps.clear(); };

    if (!engine.prepareConnection() && product != NewManager) {
        engine.abortDownload(false);
        return stop();
    }
    if (product == Nightly && views.rows.isVersionRowSelected(Nightly) &&
        services.dialogs.message(state.str(Str::NightlyWarning), MessageIcon::Question, MessageButtons::OkCancel) !=
            Answer::Ok)
        return stop();
    if (product <= OlderRelease && !goingBackAgreed(plannedVersion(product)))
        return stop();
    if (state.krvnPath.isEmpty() && !chooseInstallFolder(steps))
        return stop();
    if (product != NewManager && gameRunning())
        return stop();
    views.controls.enableControls(false);
    status.clearStatusList();

    End end = End::Closing;
    if (product <= OlderRelease)
        end = installBuild(product, steps);
    else if (product == NewManager)
        end = replaceManager(steps);
    else
        end = installBaseSet(steps);

    if (end == End::Stopped)
        return stop();
    // Nested: the base set has closed; a failure of the build's own steps is still reported.
    if (end == End::Nested)
        return;
    views.controls.enableControls(true);
    engine.setDownloadStatus(state.str(Str::Done));
}

bool Installer::chooseInstallFolder(FailureScope& steps)
{
    QString answer;
    steps.step([&] { answer = detection.browseForFolder(state.str(Str::SelectInstallFolder)); });
    if (answer.isEmpty())
        return false;
    steps.step([&] { state.krvnPath = InstallFolder::fromAnswer(answer, services.platform); });
    steps.step([&] { detection.readGameVersion(true); });
    return true;
}

bool Installer::gameRunning()
{
    const QString executable = state.krvnExe.isEmpty() ? state.krvnPath + QStringLiteral("korvane.exe") : state.krvnExe;
    if (!services.platform.isProgramRunning(executable))
        return false;
    services.dialogs.message(state.str(Str::GameRunning), MessageIcon::Exclamation);
    return true;
}

bool Installer::lacksRoomFor(const QString& zipPath, const QString& root)
{
    // Moving into place and keeping the replaced files are renames on the same volume;
    // only the staged copy takes room.
    const std::optional<std::uint64_t> needed = ExtractionJob::payloadSize(zipPath);
    const qint64 free = services.platform.freeSpace(root);
    if (!needed || free < 0 || std::uint64_t(free) >= *needed)
        return false;
    const QString text = QString(state.str(Str::NotEnoughSpace))
                             .replace(QStringLiteral("#1#"), QDir::toNativeSeparators(root))
                             .replace(QStringLiteral("#2#"), MemoryStatus::formatBytes(*needed, true))
                             .replace(QStringLiteral("#3#"), MemoryStatus::formatBytes(free, true));
    engine.addStatusLine(text);
    services.dialogs.message(text, MessageIcon::Exclamation);
    return true;
}

QString Installer::plannedVersion(std::uint8_t product) const
{
    switch (product) {
    case Stable:
        return state.latestStable;
    case Beta:
        return state.latestBeta;
    case Nightly:
        return state.latestNightly;
    default:
        break;
    }
    const int index = views.rows.restoreSelectedIndex();
    if (index < 0 || index >= state.olderReleases.size())
        return selectedRelease;
    return state.olderReleases.at(index).version;
}

QString Installer::versionOf(std::uint8_t product)
{
    const QString version = plannedVersion(product);
    if (product == OlderRelease) {
        const int index = views.rows.restoreSelectedIndex();
        if (index < 0 || index >= state.olderReleases.size() || state.olderReleases.at(index).version.isEmpty())
            throw Failure(FailureCode::Unexpected, QStringLiteral("No older release is selected"));
        selectedRelease = version;
    } else if (version.isEmpty()) {
        throw Failure(FailureCode::Unexpected, QStringLiteral("No version of this build is known"));
    }
    return version;
}

bool Installer::goingBackAgreed(const QString& version)
{
    if (!ReleaseOrder::isOlder(version, state.krvnVersion))
        return true;
    QString question = state.str(Str::OlderThanInstalled);
    question.replace(QStringLiteral("#1#"), version).replace(QStringLiteral("#2#"), state.krvnVersion);
    return services.dialogs.message(question, MessageIcon::Question, MessageButtons::YesNo, Answer::No) == Answer::Yes;
}

void Installer::refuseArchive(FailureScope& steps, const QString& what)
{
    engine.addStatusLine(state.str(Str::InstallFailed));
    steps.step([&] { throw Failure(FailureCode::FileAccess, QStringLiteral("Refused archive: ") + what); });
}

Installer::End Installer::installBuild(std::uint8_t product, FailureScope& steps)
{
    QString version = selectedRelease;
    steps.step([&] { version = versionOf(product); });
    // Without a version there is no archive to ask for; the failure is reported at the end.
    if (version.isEmpty())
        return End::Closing;
    const ArchiveSource archive = ArchiveSource::forBuild(state, product, version);
    if (archive.refused()) {
        views.rows.setStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed));
        refuseArchive(steps, version);
        return End::Closing;
    }

    const ArchiveFetch::Result fetched =
        ArchiveFetch(state, services, engine).obtain(archive, services.timings.install.afterDownloadMs, [&] {
            views.rows.setStatusIcon(product, StatusPicture::Downloading, state.str(Str::Downloading));
        });
    if (fetched == ArchiveFetch::Result::Stopped)
        return End::Stopped;
    if (fetched == ArchiveFetch::Result::Refused) {
        views.rows.setStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed));
        return End::Closing;
    }
    if (lacksRoomFor(archive.localPath, state.krvnPath)) {
        views.rows.setStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed));
        return End::Closing;
    }
    views.rows.setStatusIcon(product, StatusPicture::Wait, state.str(Str::PleaseWait));

    // The box names the folder installed into, even when the new files hold no game and
    // the identification below forgets the folder.
    const QString installFolder = state.krvnPath;
    bool extracted = false;
    steps.step([&] {
        extracted = extractor.unzipArchive(archive.localPath, installFolder, true, installFolder, state.krvnVersion,
                                           engine.cancelToken());
    });
    if (!extracted && stoppedByCancel())
        return End::Stopped;
    if (extracted) {
        views.rows.setStatusIcon(product, StatusPicture::Installed, state.str(Str::NowInstalled));
        engine.addStatusLine(state.str(Str::FilesExtracted));
        engine.addStatusLine(state.str(Str::InstalledSuccessfully));
        steps.step([&] { detection.readGameVersion(false); });
        steps.step([&] {
            services.dialogs.message(state.str(Str::InstalledAt) + QStringLiteral("\r\n") + installFolder,
                                     MessageIcon::Information);
        });
        // A Cancel that came after the last move: the build is in, nothing more is started.
        return engine.cancelled() ? End::Closing : offerBaseSet(steps);
    }
    // A damaged archive is fetched again; a folder that could not take it is as it was,
    // and the archive waits for the next try.
    const bool undone = extractor.lastOutcome() == ExtractionOutcome::DestinationFailed;
    views.rows.setStatusIcon(product, StatusPicture::Error, state.str(Str::InstallationFailed));
    engine.addStatusLine(state.str(Str::UnzipFailed));
    if (undone)
        engine.addStatusLine(state.str(Str::InstallationUndone));
    const QString cause = extractor.failureCause();
    steps.step([&] {
        services.dialogs.message(state.str(undone ? Str::InstallationUndone : Str::UnzipFailed) +
                                     (cause.isEmpty() ? QString() : QStringLiteral("\r\n\r\n") + cause),
                                 MessageIcon::Exclamation);
    });
    // The base set is offered after an installation only: a Yes would clear the lines
    // that explain this failure.
    return End::Closing;
}

bool Installer::stoppedByCancel()
{
    const ExtractionOutcome outcome = extractor.lastOutcome();
    if (outcome != ExtractionOutcome::Stopped && outcome != ExtractionOutcome::StoppedAndUndone)
        return false;
    if (outcome == ExtractionOutcome::StoppedAndUndone)
        engine.addStatusLine(state.str(Str::UndoDone));
    return engine.stopIfCancelled();
}

Installer::End Installer::offerBaseSet(FailureScope& steps)
{
    bool present = false;
    steps.step([&] { present = BaseSet::isPresent(state.baseSetFolder); });
    if (present)
        return End::Closing;
    Answer answer = Answer::No;
    steps.step([&] {
        answer = services.dialogs.message(state.str(Str::BaseSetMissing), MessageIcon::Question, MessageButtons::YesNo);
    });
    if (answer != Answer::Yes)
        return End::Closing;
    installProduct(BaseSetFiles);
    return End::Nested;
}

Installer::End Installer::installBaseSet(FailureScope& steps)
{
    // Without an identified game there is no folder to fill; unpacking into an empty
    // path would scatter the files into whatever the current folder is.
    if (state.baseSetFolder.isEmpty()) {
        engine.addStatusLine(state.str(Str::PathNotSpecified));
        return End::Closing;
    }
    const ArchiveSource archive = ArchiveSource::fromMaker(state, QStringLiteral("/files/krvnm_baseset.zip"),
                                                           state.workFolder + QStringLiteral("baseset.zip"));
    if (archive.refused()) {
        refuseArchive(steps, state.workFolder);
        return End::Closing;
    }
    const ArchiveFetch::Result fetched =
        ArchiveFetch(state, services, engine).obtain(archive, services.timings.install.afterDownloadMs);
    if (fetched == ArchiveFetch::Result::Stopped)
        return End::Stopped;
    if (fetched == ArchiveFetch::Result::Refused)
        return End::Closing;
    bool extracted = false;
    // The undo point lives in the game folder, whichever folder the base set goes to.
    const QString root = state.baseSetFolder.startsWith(state.krvnPath) ? state.krvnPath : state.baseSetFolder;
    if (lacksRoomFor(archive.localPath, root))
        return End::Closing;
    steps.step([&] {
        extracted = extractor.unzipArchive(archive.localPath, state.baseSetFolder, false, root, state.krvnVersion,
                                           engine.cancelToken());
    });
    if (!extracted && stoppedByCancel())
        return End::Stopped;
    steps.step([&] { wait(services.timings.install.afterBaseSetMs); });
    engine.addStatusLine(state.str(extracted ? Str::FilesExtracted : Str::UnzipFailed));
    if (!extracted && extractor.lastOutcome() == ExtractionOutcome::DestinationFailed)
        engine.addStatusLine(state.str(Str::InstallationUndone));
    return End::Closing;
}

Installer::End Installer::replaceManager(FailureScope& steps)
{
    steps.step([&] { deleteFileWait(state.managerFile, false); });
    const ArchiveSource updater =
        ArchiveSource::fromMaker(state, QStringLiteral("/files/updater.exe"), state.updaterFile);
    const ArchiveSource manager = ArchiveSource::fromMaker(state, QStringLiteral("/files/krvnm.exe"),
                                                           state.workFolder + QStringLiteral("krvnm.exe.tmp"));
    if (updater.refused() || manager.refused()) {
        refuseArchive(steps, updater.refused() ? state.updaterFile : state.workFolder);
        return End::Closing;
    }
    ArchiveFetch fetch(state, services, engine);
    // Always the newest copies: whatever an earlier attempt left is not reused.
    steps.step([&] { deleteFileWait(updater.localPath, false); });
    steps.step([&] { deleteFileWait(manager.localPath, false); });
    const ArchiveFetch::Result fetchedUpdater = fetch.obtain(updater, services.timings.install.afterUpdaterMs);
    if (fetchedUpdater != ArchiveFetch::Result::Ready)
        return fetchedUpdater == ArchiveFetch::Result::Stopped ? End::Stopped : End::Closing;

    SettingsStore& settings = services.settings;
    steps.step([&] { settings.write(SettingKey::AppPath, state.appFolder); });
    steps.step(
        [&] { settings.write(SettingKey::AppExeName, QFileInfo(services.platform.applicationFilePath()).fileName()); });
    steps.step([&] { settings.write(SettingKey::UpdaterMessage1, state.str(Str::PleaseWait)); });
    steps.step([&] { settings.write(SettingKey::UpdaterMessage2, state.str(Str::ApplyingProgramUpdate)); });
    steps.step([&] { settings.write(SettingKey::UpdaterMessage3, state.str(Str::Cancel)); });

    const ArchiveFetch::Result fetchedManager = fetch.obtain(manager, services.timings.install.afterDownloadMs);
    if (fetchedManager != ArchiveFetch::Result::Ready)
        return fetchedManager == ArchiveFetch::Result::Stopped ? End::Stopped : End::Closing;
    steps.step([&] {
        const QString folder = QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(state.appFolder)));
        services.platform.startDetached(updater.localPath, {}, folder);
    });
    // The program ends here; nothing is left to report to.
    steps.clear();
    views.window.closeWindow();
    return End::Stopped;
}

void Installer::refreshOlderReleases()
{
    views.rows.selectVersionRow(OlderRelease);
}

void Installer::pickOlderRelease(bool listEnabled, int itemCount, int selectedIndex)
{
    constexpr int ShortestList = 10;
    if (!listEnabled || itemCount <= ShortestList)
        return;
    if (selectedIndex < 0 || selectedIndex >= state.olderReleases.size())
        return;
    const QString& version = state.olderReleases.at(selectedIndex).version;
    // The empty closing record is no release, even while no game is identified.
    if (!version.isEmpty() && version == state.krvnVersion)
        views.rows.setStatusIcon(OlderRelease, StatusPicture::Installed, state.str(Str::NowInstalled));
    else
        views.rows.hideStatusIcon(OlderRelease);
}
