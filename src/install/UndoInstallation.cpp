#include "install/UndoInstallation.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/Failure.h"
#include "app/FailureScope.h"
#include "app/MainControls.h"
#include "app/Platform.h"
#include "app/StringIds.h"
#include "detect/GameDetection.h"
#include "install/InstallBackup.h"
#include "install/InstallRecovery.h"
#include "net/DownloadEngine.h"
#include "net/DownloadView.h"

UndoInstallation::UndoInstallation(AppState& state, AppServices& services, DownloadEngine& engine,
                                   GameDetection& detection, DownloadView& status, MainControls& controls)
    : state(state), services(services), engine(engine), detection(detection), status(status), controls(controls)
{}

bool UndoInstallation::available() const
{
    return !state.krvnPath.isEmpty() && InstallBackup::record(state.krvnPath).has_value();
}

void UndoInstallation::undo()
{
    const std::optional<InstallRecord> record =
        state.krvnPath.isEmpty() ? std::nullopt : InstallBackup::record(state.krvnPath);
    if (!record) {
        services.dialogs.message(state.str(Str::NothingToUndo), MessageIcon::Information);
        return;
    }
    const QString executable = state.krvnExe.isEmpty() ? state.krvnPath + QStringLiteral("korvane.exe") : state.krvnExe;
    if (services.platform.isProgramRunning(executable)) {
        services.dialogs.message(state.str(Str::GameRunning), MessageIcon::Exclamation);
        return;
    }
    // A folder that held no game before goes back to holding none.
    const QString version = record->previousVersion.isEmpty() ? QStringLiteral("-") : record->previousVersion;
    if (services.dialogs.message(QString(state.str(Str::ConfirmUndo)).replace(QStringLiteral("#1#"), version),
                                 MessageIcon::Question, MessageButtons::YesNo, Answer::No) != Answer::Yes)
        return;

    FailureScope steps(&services.errors, QStringLiteral("UndoInstallation"));
    controls.enableControls(false);
    status.clearStatusList();
    steps.step([&] {
        if (!InstallBackup::restore(state.krvnPath))
            throw Failure(FailureCode::FileAccess,
                          QStringLiteral("Not every file could be put back; the next start finishes the undo"));
        engine.addStatusLine(state.str(Str::UndoDone));
    });
    detection.readGameVersion(true);
    controls.enableControls(true);
}

void UndoInstallation::recoverAtStart()
{
    switch (InstallRecovery::recover(state.krvnPath)) {
    case InstallRecovery::Outcome::InstallationUndone:
        engine.addStatusLine(state.str(Str::InterruptedInstallationUndone));
        break;
    case InstallRecovery::Outcome::UndoFinished:
        engine.addStatusLine(state.str(Str::UndoDone));
        break;
    case InstallRecovery::Outcome::Unfinished:
        throw Failure(FailureCode::FileAccess,
                      QStringLiteral("An interrupted installation could not be put back in ") + state.krvnPath);
    case InstallRecovery::Outcome::Nothing:
        break;
    }
}
