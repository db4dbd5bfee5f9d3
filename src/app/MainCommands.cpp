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

void MainCommands::Load()
{
    FailureScope steps(&services.errors, QStringLiteral("frmMain Load"));
    steps.step([&] { SetUpWorkFolder(state, services.platform); });
    steps.step([&] { SetUpProgramFolders(state, services.platform); });
    steps.step([&] { view.showWindowTitle(QStringLiteral("Korvane Manager ") + state.AppVersion); });
    steps.step([&] { view.resetRestoreList(); });
    steps.step([&] { FormWorkFilePaths(state); });
    steps.step([&] { DeleteStaleWorkFiles(state); });
    steps.step([&] { targets.ReadUserLocale(); });
    steps.step([&] {
        LoadSettings(state, services.settings, services.platform, services.dialogs);
        view.checkPlatformItem(state.PlatformIndex);
    });
    steps.step([&] { targets.SelectInterfaceLanguage(); });
    steps.step([&] { state.OlderReleases = {ReleaseRecord{}}; });
    steps.step([&] { targets.DetectAtStartup(); });
    steps.step([&] { EnableControls(true); });
}

bool MainCommands::QueryUnload()
{
    if (!services.transfer.stillExecuting() && !targets.ExtractionRunning())
        return false;
    return services.dialogs.message(state.str(Str::ExitWhileDownloading), MessageIcon::Exclamation,
                                    MessageButtons::YesNo, Answer::No) != Answer::Yes;
}

void MainCommands::Unload()
{
    targets.StopWork();
    ShutDown(state, services.settings);
    services.platform.endProcess();
}

void MainCommands::EnableControls(bool bStatus)
{
    isBusy = !bStatus;
    ControlStates states;
    states.idle = bStatus;
    if (bStatus) {
        states.selfUpdateEnabled = !state.SelfCheckDone;
        states.runEnabled = !state.KrvnExe.isEmpty() && QFileInfo::exists(state.KrvnExe);
        const bool feedPresent = !state.VersionsFile.isEmpty() && QFileInfo::exists(state.VersionsFile);
        states.updateCaption = state.str(feedPresent ? Str::InstallNow : Str::CheckForUpdates);
        states.restoreEnabled = state.olderReleasesListed();
    }
    view.applyControlStates(states);
    SetStatusBar();
    QCoreApplication::processEvents();
}

void MainCommands::SetStatusBar(const QString& strText)
{
    if (isBusy) {
        view.showStatusText(view.lastStatusLine());
    } else if (!strText.isEmpty()) {
        view.showStatusText(strText);
    } else if (!state.KrvnExe.isEmpty()) {
        QString text = state.str(Str::VersionDetectedAt);
        text.replace(QStringLiteral("#1#"), state.KrvnVersion);
        text.replace(QStringLiteral("#2#"), state.KrvnPath);
        view.showStatusText(text);
    } else {
        view.showStatusText(state.str(Str::PathNotSpecified));
    }
}

void MainCommands::StatusLineAdded()
{
    if (isBusy)
        SetStatusBar();
}

bool MainCommands::RefusedWhileTransferring(MessageIcon icon)
{
    if (!services.transfer.stillExecuting())
        return false;
    services.dialogs.message(state.str(Str::BlockedWhileDownloading), icon);
    return true;
}

void MainCommands::cmdRun_Click()
{
    if (!RefusedWhileTransferring(MessageIcon::Exclamation))
        targets.RunGame();
}

void MainCommands::mnuOpen_Click()
{
    if (!RefusedWhileTransferring(MessageIcon::Critical))
        targets.ChooseGameFolder();
}

void MainCommands::mnuRedetect_Click()
{
    targets.Redetect();
}

void MainCommands::cmdLU_Click()
{
    if (state.CatalogueLoaded) {
        targets.Install(view.selectedProduct());
        return;
    }
    targets.CheckCatalogue();
    // The automatic self-update check: at most once a day, right after a release check.
    if (!isBusy && !state.SelfCheckDone && targets.SelfCheckDueToday())
        targets.CheckSelfUpdate(true);
}

void MainCommands::mnuCheckSelfUpdate_Click()
{
    if (!RefusedWhileTransferring(MessageIcon::Critical))
        targets.CheckSelfUpdate(false);
}

void MainCommands::lblVersionInfo_MouseDown(int index)
{
    targets.OpenChangeLog(index);
}

void MainCommands::mnuSettings_Click()
{
    targets.ShowOptions();
}

void MainCommands::mnuAbout_Click()
{
    targets.ShowAbout();
}

void MainCommands::ChoosePlatform(int index)
{
    view.checkPlatformItem(index);
    FailureScope steps(&services.errors, QStringLiteral("Platform selection"));
    steps.step([&] { StorePlatformChoice(state, services.settings, index); });
}

void MainCommands::OpenLink(const QString& name)
{
    const QString address = MenuLinkAddress(state, name);
    if (!address.isEmpty())
        services.platform.openDocument(address);
}
