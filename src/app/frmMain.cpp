#include "app/frmMain.h"

#include "app/AppServices.h"
#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/FailureScope.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "lang/LanguageStrings.h"
#include "net/TransferComponent.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* AddMenu(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name) + QStringLiteral("Action"));
    return menu;
}

} // namespace

frmMain::frmMain(AppState& state, AppServices& services, QWidget* parent)
    : QMainWindow(parent), state(state), services(services)
{
    setObjectName(QStringLiteral("frmMain"));
    BuildMenus();
    BuildControls();
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus()
{
    auto* bar = menuBar();
    auto* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuOpen = AddAction(mnuFile, "mnuOpen", QStringLiteral("Select KRVN path..."));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("brk00"));
    mnuExit = AddAction(mnuFile, "mnuExit", QStringLiteral("Exit"));
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    auto* mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuSettings = AddAction(mnuOptions, "mnuSettings", QStringLiteral("Settings..."));
    mnuOptions->addSeparator()->setObjectName(QStringLiteral("brk02"));
    mnuPlatform = AddMenu(mnuOptions, "mnuPlatform", QStringLiteral("Platform selection"));
    mnuWin9x = AddAction(mnuPlatform, "mnuWin9x", QStringLiteral("Win9x Korvane"));
    mnuWin32 = AddAction(mnuPlatform, "mnuWin32", QStringLiteral("Win32 Korvane"));
    mnuWin64 = AddAction(mnuPlatform, "mnuWin64", QStringLiteral("Win64 Korvane"));
    for (QAction* item : {mnuWin9x, mnuWin32, mnuWin64})
        item->setCheckable(true);
    connect(mnuWin9x, &QAction::triggered, this, &frmMain::mnuWin9x_Click);
    connect(mnuWin32, &QAction::triggered, this, &frmMain::mnuWin32_Click);
    connect(mnuWin64, &QAction::triggered, this, &frmMain::mnuWin64_Click);
    mnuRedetect = AddAction(mnuOptions, "mnuRedetect", QStringLiteral("Redetect KRVN version"));
}

void frmMain::BuildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    cmdRun = new QPushButton(QStringLiteral("Run KRVN"), central);
    cmdRun->setObjectName(QStringLiteral("cmdRun"));
    cmdRun->setDefault(true);
    cmdLU = new QPushButton(QStringLiteral("Check for Updates"), central);
    cmdLU->setObjectName(QStringLiteral("cmdLU"));
    cmdExit = new QPushButton(QStringLiteral("Exit"), central);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(cmdRun);
    buttons->addStretch();
    buttons->addWidget(cmdLU);
    buttons->addWidget(cmdExit);
    layout->addLayout(buttons);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("stbMain"));
}

void frmMain::Load()
{
    FailureScope steps(&services.errors, QStringLiteral("frmMain Load"));
    steps.step([&] { SetUpWorkFolder(state, services.platform); });
    steps.step([&] { SetUpProgramFolders(state, services.platform); });
    steps.step([&] { setWindowTitle(QStringLiteral("Korvane Manager ") + state.AppVersion); });
    steps.step([&] { FormWorkFilePaths(state); });
    steps.step([&] { DeleteStaleWorkFiles(state); });
    steps.step([&] {
        LoadSettings(state, services.settings, services.platform, services.dialogs);
        CheckPlatformItem(state.PlatformIndex);
    });
    steps.step([&] {
        SelectLanguage(state, services.strings);
        LoadLanguageStrings(state, services.strings);
    });
    steps.step([&] { state.OlderReleases = {ReleaseRecord{}}; });
}

bool frmMain::QueryUnload()
{
    if (!services.transfer || !services.transfer->stillExecuting())
        return false;
    MessageRequest question;
    question.text = state.str(51);
    question.icon = MessageIcon::Exclamation;
    question.buttons = MessageButtons::YesNo;
    question.defaultButton = Answer::No;
    return services.dialogs.messageBox(question) != Answer::Yes;
}

void frmMain::Unload()
{
    unloaded = true;
    ShutDown(state, services.settings);
    services.platform.endProcess();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (unloaded) {
        event->accept();
        return;
    }
    if (QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Unload();
}

void frmMain::CheckPlatformItem(int index)
{
    mnuWin9x->setChecked(index == 0);
    mnuWin32->setChecked(index == 1);
    mnuWin64->setChecked(index == 2);
}

void frmMain::ChoosePlatform(int index)
{
    CheckPlatformItem(index);
    FailureScope steps(&services.errors, QStringLiteral("Platform selection"));
    steps.step([&] { StorePlatformChoice(state, services.settings, index); });
}

void frmMain::mnuWin9x_Click()
{
    ChoosePlatform(0);
}

void frmMain::mnuWin32_Click()
{
    ChoosePlatform(1);
}

void frmMain::mnuWin64_Click()
{
    ChoosePlatform(2);
}
