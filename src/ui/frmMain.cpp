#include "ui/frmMain.h"

#include "app/MainCommands.h"
#include "ui/BannerPanel.h"
#include "ui/MainMenu.h"
#include "ui/MainWindowStyle.h"
#include "ui/StatusPanel.h"
#include "ui/VersionRowsPanel.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace MainWindowStyle;

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Korvane Manager"));
    mainMenu = new MainMenu(menuBar());

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmMainBackground"));
    central->setAutoFillBackground(true);
    QPalette palette = central->palette();
    palette.setColor(QPalette::Window, WindowBackground);
    central->setPalette(palette);
    central->setMouseTracking(true);
    central->installEventFilter(this);

    banner = new BannerPanel(central);
    rows = new VersionRowsPanel(central);
    status = new StatusPanel(central);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 10);
    body->setSpacing(10);
    body->addWidget(rows);
    body->addWidget(status, 1);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);
    layout->addWidget(Line(central, Named("lneLine", 6), QColor(0xc9, 0xd0, 0xd9)));
    layout->addWidget(Line(central, Named("lneLine", 7), QColor(0xff, 0xff, 0xff)));
    layout->addWidget(buildButtons());
    setCentralWidget(central);

    stbMainText = new QLabel(this);
    stbMainText->setObjectName(QStringLiteral("stbMainText"));
    stbMainText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stbMainText->setContentsMargins(6, 2, 6, 2);
    statusBar()->setObjectName(QStringLiteral("stbMain"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(stbMainText, 1);

    setMinimumWidth(500);
    resize(520, 600);
}

frmMain::~frmMain() = default;

QWidget* frmMain::buildButtons()
{
    auto* buttons = new QWidget(this);
    cmdRun = new QPushButton(QStringLiteral("Run KRVN"), buttons);
    cmdRun->setObjectName(QStringLiteral("cmdRun"));
    cmdRun->setDefault(true);
    cmdRun->setEnabled(false);
    cmdLU = new QPushButton(QStringLiteral("Check for Updates"), buttons);
    cmdLU->setObjectName(QStringLiteral("cmdLU"));
    cmdLU->setIcon(StatusIcon(QStringLiteral("update"))); // imgUpdate until the catalogue is in
    cmdExit = new QPushButton(QStringLiteral("Exit"), buttons);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {cmdRun, cmdLU, cmdExit}) {
        button->setAutoDefault(true); // Enter on a focused button presses that button
        button->setMinimumSize(112, 30);
    }
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(12, 8, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(cmdRun);
    layout->addStretch();
    layout->addWidget(cmdLU);
    layout->addWidget(cmdExit);
    return buttons;
}

void frmMain::attach(MainCommands& mainCommands)
{
    commands = &mainCommands;
    connect(cmdRun, &QPushButton::clicked, this, [this] { commands->cmdRun_Click(); });
    connect(cmdLU, &QPushButton::clicked, this, [this] { commands->cmdLU_Click(); });
    connect(rows, &VersionRowsPanel::versionInfoClicked, this,
            [this](int row) { commands->lblVersionInfo_MouseDown(row); });
    connect(mainMenu, &MainMenu::commandChosen, this, &frmMain::runCommand);
    connect(mainMenu, &MainMenu::linkChosen, this, [this](const QString& name) { commands->OpenLink(name); });
    connect(rows, &VersionRowsPanel::hovered, this, [this] { commands->SetStatusBar(); });
    connect(status, &StatusPanel::hovered, this, [this] { commands->SetStatusBar(); });
    connect(status, &StatusPanel::lineAdded, this, [this] { commands->StatusLineAdded(); });
    connect(status, &StatusPanel::controlsSwitched, this, [this](bool idle) { commands->EnableControls(idle); });
    connect(status, &StatusPanel::statusBarWanted, this, [this](const QString& text) { commands->SetStatusBar(text); });
    connect(status, &StatusPanel::statusIconsHidden, rows, &VersionRowsPanel::hideStatusIcons);
}

void frmMain::runCommand(const QString& name)
{
    if (name == QLatin1String("mnuOpen"))
        commands->mnuOpen_Click();
    else if (name == QLatin1String("mnuExit"))
        close();
    else if (name == QLatin1String("mnuSettings"))
        commands->mnuSettings_Click();
    else if (name == QLatin1String("mnuAbout"))
        commands->mnuAbout_Click();
    else if (name == QLatin1String("mnuRedetect"))
        commands->mnuRedetect_Click();
    else if (name == QLatin1String("mnuCheckSelfUpdate"))
        commands->mnuCheckSelfUpdate_Click();
    else if (name == QLatin1String("mnuWin9x"))
        commands->ChoosePlatform(0);
    else if (name == QLatin1String("mnuWin32"))
        commands->ChoosePlatform(1);
    else if (name == QLatin1String("mnuWin64"))
        commands->ChoosePlatform(2);
}

void frmMain::applyControlStates(const ControlStates& states)
{
    mainMenu->setIdle(states.idle, states.selfUpdateEnabled);
    cmdLU->setEnabled(states.idle);
    cmdExit->setEnabled(states.idle);
    if (states.idle) {
        unsetCursor();
        status->resetProgress();
        if (states.runEnabled)
            cmdRun->setEnabled(true);
        cmdLU->setText(states.updateCaption);
        if (states.restoreEnabled)
            rows->setRestoreEnabled(true);
    } else {
        setCursor(Qt::BusyCursor);
        cmdRun->setEnabled(false);
        rows->setRestoreEnabled(false);
    }
}

void frmMain::showStatusText(const QString& text)
{
    stbMainText->setText(text);
}

QString frmMain::lastStatusLine() const
{
    return status->lastStatusLine();
}

void frmMain::showWindowTitle(const QString& title)
{
    setWindowTitle(title);
}

void frmMain::resetRestoreList()
{
    rows->resetRestoreList();
}

void frmMain::checkPlatformItem(int index)
{
    mainMenu->checkPlatformItem(index);
}

void frmMain::setVersionText(const QString& text)
{
    rows->setVersionText(text);
}

void frmMain::setRunEnabled(bool enabled)
{
    cmdRun->setEnabled(enabled);
}

void frmMain::SetStatusBar(const QString& text)
{
    commands->SetStatusBar(text);
}

void frmMain::selectVersionRow(int row)
{
    rows->selectRow(row);
}

void frmMain::SetStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip)
{
    rows->SetStatusIcon(index, picture, toolTip);
}

void frmMain::closeMainWindow()
{
    close();
}

int frmMain::selectedProduct() const
{
    return rows->selectedProduct();
}

void frmMain::EnableControls(bool bStatus)
{
    commands->EnableControls(bStatus);
}

void frmMain::clearStatusList()
{
    status->clearStatusList();
}

void frmMain::setProgressMaximum(int maximum)
{
    status->setProgressMaximum(maximum);
}

void frmMain::setProgressValue(int value)
{
    status->setProgressValue(value);
}

void frmMain::setProgressVisible(bool visible)
{
    status->setProgressVisible(visible);
}

void frmMain::setRowCaption(int row, const QString& caption)
{
    rows->setRowCaption(row, caption);
}

void frmMain::setRowDate(int row, const QString& text)
{
    rows->setRowDate(row, text);
}

void frmMain::enableRow(int row)
{
    rows->enableRow(row);
}

void frmMain::fillRestoreList(const QStringList& items)
{
    rows->fillRestoreList(items);
}

void frmMain::setMainButtonCaption(const QString& caption)
{
    cmdLU->setText(caption);
}

void frmMain::showInstallImage()
{
    cmdLU->setIcon(StatusIcon(QStringLiteral("download")));
}

void frmMain::hideStatusIcon(std::uint8_t index)
{
    rows->hideStatusIcon(index);
}

bool frmMain::isVersionRowSelected(int row) const
{
    return rows->isRowSelected(row);
}

int frmMain::restoreSelectedIndex() const
{
    return rows->restoreIndex();
}

void frmMain::unloadMainWindow()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (unloaded || !commands) {
        event->accept();
        return;
    }
    if (commands->QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    unloaded = true;
    commands->Unload();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere but on another button starts the game, as on a dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier &&
        cmdRun->isEnabled()) {
        cmdRun->animateClick();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && commands)
        commands->SetStatusBar();
    return QMainWindow::eventFilter(watched, event);
}
