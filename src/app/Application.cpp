#include "app/Application.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/QtSettingsStore.h"
#include "app/SystemPlatform.h"
#include "app/frmMain.h"
#include "lang/BuiltinStrings.h"
#include "net/QtTransferComponent.h"
#include "ui/ErrorDialogHandler.h"
#include "ui/QtDialogs.h"

#include <QGuiApplication>
#include <QIcon>

struct Application::Parts
{
    AppState state;
    QtSettingsStore settings;
    SystemPlatform platform;
    QtDialogs dialogs;
    QtTransferComponent intMain;
    ErrorDialogHandler errors{state, platform, dialogs, BuiltinStrings::Compiled()};
    AppServices services{settings, platform, dialogs, errors, BuiltinStrings::Compiled(), &intMain};
    frmMain window{state, services};
};

Application::Application() : parts(std::make_unique<Parts>())
{
    parts->intMain.setObjectName(QStringLiteral("intMain"));
}

Application::~Application() = default;

frmMain& Application::start()
{
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/krvnm-256.png")));
    parts->window.Load();
    parts->window.show();
    return parts->window;
}
