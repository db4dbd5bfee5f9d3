#include "ui/ErrorDialogHandler.h"

#include "app/ErrorReport.h"
#include "ui/WindowDialogs.h"

#include <QApplication>
#include <QScopeGuard>

ErrorDialogHandler::ErrorDialogHandler(const AppState& state, Platform& platform, WindowDialogs& dialogs,
                                       const BuiltinStrings& strings)
    : state(state), platform(platform), dialogs(dialogs), strings(strings)
{}

void ErrorDialogHandler::handleError(const QString& source, const Failure& failure)
{
    if (dialogUp)
        return;
    errorText = lastErrorLine(source, failure);
    ErrorDialog dialog(errorText, state, platform, dialogs, strings, QApplication::activeWindow());
    dialogUp = true;
    const auto dialogDown = qScopeGuard([this] { dialogUp = false; });
    dialogs.showModal(dialog);
}
