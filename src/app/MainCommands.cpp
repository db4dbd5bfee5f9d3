#include "app/MainCommands.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/CommandTargets.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/MainView.h"
#include "app/MenuLinks.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/StringIds.h"
#include "app/TransferComponent.h"

#include <QCoreApplication>
#include <QFileInfo>

MainCommands::MainCommands(AppState& state, AppServices& services, MainView& view, CommandTargets& targets)
    : state(state), services(services), view(view), targets(targets)
{}

void MainCommands::startUp()
{
    FailureScope steps(&services.errors, QStringLiteral("frmMain Load"));
    steps.step([&] { setUpWorkFolder(state, services.platform); });
    steps.step([&] { setUpProgramFolders(state, services.platform); });
    view.showWindowTitle(QStringLiteral("Korvane Manager ") + state.appVersion);
    view.resetRestoreList();
    formWorkFilePaths(state);
    steps.step([&] { deleteStaleWorkFiles(state); });
    steps.step([&] { targets.readUserLocale(); });
    steps.step([&] {
        loadSettings(state, services.settings, services.platform, services.dialogs);
        view.checkPlatformItem(state.platformIndex);
    });
    steps.step([&] { targets.selectInterfaceLanguage(); });
    state.olderReleases = {ReleaseRecord{}};
    // Before the game is identified: an interrupted installation is taken back first.
    steps.step([&] { targets.recoverInstallation(); });
    steps.step([&] { targets.detectAtStartup(); });
    enableControls(true);
}

bool MainCommands::closeCancelled()
{
    if (!services.transfer.stillExecuting() && !targets.extractionRunning())
        return false;
    return services.dialogs.message(state.str(Str::ExitWhileDownloading), MessageIcon::Exclamation,
                                    MessageButtons::YesNo, Answer::No) != Answer::Yes;
}

void MainCommands::quit()
{
    targets.stopWork();
    shutDown(state, services.settings);
    services.platform.endProcess();
}

void MainCommands::enableControls(bool idle)
{
    isBusy = !idle;
    // A new job: a Cancel pressed for the one before does not stop it.
    if (!idle && cancelSource.stop_requested())
        cancelSource = std::stop_source();
    ControlStates states;
    states.idle = idle;
    if (idle) {
        states.selfUpdateEnabled = !state.selfCheckDone;
        states.undoEnabled = targets.canUndoInstallation();
        states.runEnabled = !state.krvnExe.isEmpty() && QFileInfo::exists(state.krvnExe);
        const bool feedPresent = !state.versionsFile.isEmpty() && QFileInfo::exists(state.versionsFile);
        states.updateCaption = state.str(feedPresent ? Str::InstallNow : Str::CheckForUpdates);
        states.restoreEnabled = state.olderReleasesListed();
    }
    view.applyControlStates(states);
    setStatusBar();
    QCoreApplication::processEvents();
}

void MainCommands::setStatusBar(const QString& text)
{
    if (isBusy) {
        view.showStatusText(view.lastStatusLine());
    } else if (!text.isEmpty()) {
        view.showStatusText(text);
    } else if (!state.krvnExe.isEmpty()) {
        QString text = state.str(Str::VersionDetectedAt);
        text.replace(QStringLiteral("#1#"), state.krvnVersion);
        text.replace(QStringLiteral("#2#"), state.krvnPath);
        view.showStatusText(text);
    } else {
        view.showStatusText(state.str(Str::PathNotSpecified));
    }
}

void MainCommands::cancelWork()
{
    if (isBusy)
        cancelSource.request_stop();
}

void MainCommands::statusLineAdded()
{
    if (isBusy)
        setStatusBar();
}

bool MainCommands::refusedWhileTransferring(MessageIcon icon)
{
    if (!services.transfer.stillExecuting())
        return false;
    services.dialogs.message(state.str(Str::BlockedWhileDownloading), icon);
    return true;
}

void MainCommands::runGame()
{
    if (!refusedWhileTransferring(MessageIcon::Exclamation))
        targets.runGame();
}

void MainCommands::chooseGameFolder()
{
    if (!refusedWhileTransferring(MessageIcon::Critical))
        targets.chooseGameFolder();
}

void MainCommands::redetect()
{
    targets.redetect();
}

void MainCommands::undoInstallation()
{
    if (!isBusy && !refusedWhileTransferring(MessageIcon::Critical))
        targets.undoInstallation();
}

void MainCommands::checkOrInstall()
{
    if (state.catalogueLoaded) {
        targets.install(view.selectedProduct());
        return;
    }
    targets.checkCatalogue();
    // The automatic self-update check: at most once a day, right after a release check
    // that was not cancelled.
    if (!isBusy && !cancelSource.stop_requested() && !state.selfCheckDone && targets.selfCheckDueToday())
        targets.checkSelfUpdate(true);
}

void MainCommands::checkSelfUpdate()
{
    if (!refusedWhileTransferring(MessageIcon::Critical))
        targets.checkSelfUpdate(false);
}

void MainCommands::openChangeLog(int index)
{
    targets.openChangeLog(index);
}

void MainCommands::showOptions()
{
    targets.showOptions();
}

void MainCommands::showAbout()
{
    targets.showAbout();
}

void MainCommands::choosePlatform(int index)
{
    view.checkPlatformItem(index);
    FailureScope steps(&services.errors, QStringLiteral("Platform selection"));
    steps.step([&] { storePlatformChoice(state, services.settings, index); });
}

void MainCommands::openLink(const QString& name)
{
    const QString address = menuLinkAddress(state, name);
    if (!address.isEmpty())
        services.platform.openDocument(address);
}
