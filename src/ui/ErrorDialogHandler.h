#pragma once

#include "app/ErrorHandler.h"
#include "ui/ErrorDialog.h"

struct AppState;
class BuiltinStrings;
class WindowDialogs;
class Platform;

// HandleError: records the failure as LastErrorText and shows the error dialog modally.
// A failure raised while the dialog is up changes nothing.
class ErrorDialogHandler : public ErrorHandler
{
public:
    ErrorDialogHandler(const AppState& state, Platform& platform, WindowDialogs& dialogs,
                       const BuiltinStrings& strings);

    void handleError(const QString& source, const Failure& failure) override;

    const QString& lastErrorText() const { return errorText; }

private:
    const AppState& state;
    Platform& platform;
    WindowDialogs& dialogs;
    const BuiltinStrings& strings;
    QString errorText;
    bool dialogUp = false;
};
