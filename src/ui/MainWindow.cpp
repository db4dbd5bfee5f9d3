#include "ui/MainWindow.h"

#include "app/MainCommands.h"
#include "app/ObjectNames.h"
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
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

using namespace MainWindowStyle;

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(ObjectName::frmMain);
    setWindowTitle(QStringLiteral("Korvane Manager"));
    mainMenu = new MainMenu(menuBar());

    auto* central = new QWidget(this);
    central->setObjectName(ObjectName::frmMainBackground);
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
    body->setContentsMargins(12, 12, 12, 8);
    body->setSpacing(10);
    body->addWidget(rows);
    body->addWidget(status, 1);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);
    layout->addWidget(separatorLine(central, named(ObjectName::lneLine, 6), QColor(0xc9, 0xd0, 0xd9)));
    layout->addWidget(separatorLine(central, named(ObjectName::lneLine, 7), QColor(0xff, 0xff, 0xff)));
    layout->addWidget(buildButtons());
    setCentralWidget(central);

    stbMainText = new QLabel(this);
    stbMainText->setObjectName(ObjectName::stbMainText);
    stbMainText->setTextFormat(Qt::PlainText);
    stbMainText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    stbMainText->setContentsMargins(6, 2, 6, 2);
    statusBar()->setObjectName(ObjectName::stbMain);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(stbMainText, 1);

    setMinimumWidth(500);
    resize(520, 600);
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildButtons()
{
    auto* buttons = new QWidget(this);
    cmdRun = new QPushButton(QStringLiteral("Run KRVN"), buttons);
    cmdRun->setObjectName(ObjectName::cmdRun);
    cmdRun->setDefault(true);
    cmdRun->setEnabled(false);
    cmdLU = new QPushButton(QStringLiteral("Check for Updates"), buttons);
    cmdLU->setObjectName(ObjectName::cmdLU);
    cmdLU->setIcon(statusIcon(QStringLiteral("update"))); // imgUpdate until the catalogue is in
    cmdExit = new QPushButton(QStringLiteral("Exit"), buttons);
    cmdExit->setObjectName(ObjectName::cmdExit);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
    for (QPushButton* button : {cmdRun, cmdLU, cmdExit}) {
        button->setAutoDefault(true); // Enter on a focused button presses that button
        button->setMinimumSize(112, 30);
    }
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(cmdRun);
    layout->addStretch();
    layout->addWidget(cmdLU);
    layout->addWidget(cmdExit);
    return buttons;
}

void MainWindow::attach(MainCommands& mainCommands)
{
    commands = &mainCommands;
    connect(cmdRun, &QPushButton::clicked, this, [this] { commands->runGame(); });
    connect(cmdLU, &QPushButton::clicked, this, [this] { commands->checkOrInstall(); });
    connect(rows, &VersionRowsPanel::versionInfoClicked, this, [this](int row) { commands->openChangeLog(row); });
    connect(mainMenu, &MainMenu::commandChosen, this, &MainWindow::runCommand);
    connect(mainMenu, &MainMenu::linkChosen, this, [this](const QString& name) { commands->openLink(name); });
    connect(rows, &VersionRowsPanel::hovered, this, [this] { commands->setStatusBar(); });
    connect(status, &StatusPanel::hovered, this, [this] { commands->setStatusBar(); });
    connect(status, &StatusPanel::lineAdded, this, [this] { commands->statusLineAdded(); });
    connect(status, &StatusPanel::statusBarWanted, this, [this](const QString& text) { commands->setStatusBar(text); });
    connect(status, &StatusPanel::statusIconsHidden, rows, &VersionRowsPanel::hideStatusIcons);
    connect(status, &StatusPanel::cancelClicked, this, [this] { commands->cancelWork(); });
}

void MainWindow::runCommand(MenuCommand command)
{
    switch (command) {
    case MenuCommand::ChooseGameFolder:
        commands->chooseGameFolder();
        break;
    case MenuCommand::UndoInstallation:
        commands->undoInstallation();
        break;
    case MenuCommand::Exit:
        close();
        break;
    case MenuCommand::ShowOptions:
        commands->showOptions();
        break;
    case MenuCommand::PlatformWin9x:
    case MenuCommand::PlatformWin32:
    case MenuCommand::PlatformWin64:
        commands->choosePlatform(static_cast<int>(command) - static_cast<int>(MenuCommand::PlatformWin9x));
        break;
    case MenuCommand::Redetect:
        commands->redetect();
        break;
    case MenuCommand::CheckSelfUpdate:
        commands->checkSelfUpdate();
        break;
    case MenuCommand::ShowAbout:
        commands->showAbout();
        break;
    }
}

void MainWindow::applyControlStates(const ControlStates& states)
{
    mainMenu->setIdle(states.idle, states.selfUpdateEnabled, states.undoEnabled);
    cmdLU->setEnabled(states.idle);
    cmdExit->setEnabled(states.idle);
    status->setCancelAvailable(!states.idle);
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

void MainWindow::showStatusText(const QString& text)
{
    stbMainText->setText(text);
}

QString MainWindow::lastStatusLine() const
{
    return status->lastStatusLine();
}

void MainWindow::showWindowTitle(const QString& title)
{
    setWindowTitle(title);
}

void MainWindow::resetRestoreList()
{
    rows->resetRestoreList();
}

void MainWindow::checkPlatformItem(int index)
{
    mainMenu->checkPlatformItem(index);
}

void MainWindow::setRunEnabled(bool enabled)
{
    cmdRun->setEnabled(enabled);
}

int MainWindow::selectedProduct() const
{
    return rows->selectedProduct();
}

void MainWindow::setMainButtonCaption(const QString& caption)
{
    cmdLU->setText(caption);
}

void MainWindow::closeWindow()
{
    close();
}

void MainWindow::showInstallImage()
{
    cmdLU->setIcon(statusIcon(QStringLiteral("download")));
}

void MainWindow::fitInto(const QRect& room)
{
    const QSize frame = frameGeometry().size() - size();
    const int roomHeight = room.height() - frame.height();
    if (height() > roomHeight)
        resize(width(), std::max(minimumSizeHint().height(), roomHeight));
    if (!room.contains(frameGeometry()))
        move(std::max(room.left(), std::min(x(), room.right() + 1 - frameGeometry().width())),
             std::max(room.top(), std::min(y(), room.bottom() + 1 - frameGeometry().height())));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (fittedToScreen || !screen())
        return;
    fittedToScreen = true;
    fitInto(screen()->availableGeometry());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (unloaded || !commands) {
        event->accept();
        return;
    }
    if (commands->closeCancelled()) {
        event->ignore();
        return;
    }
    event->accept();
    unloaded = true;
    commands->quit();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere but on another button starts the game, as on a dialog's default button.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier &&
        cmdRun->isEnabled()) {
        cmdRun->animateClick();
        return;
    }
    // Escape is the cancel button's only when nothing else took it: an open list or menu
    // closes on it and keeps it (a shortcut would also have reached Exit).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (cmdExit->isEnabled())
            cmdExit->animateClick();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && commands)
        commands->setStatusBar();
    return QMainWindow::eventFilter(watched, event);
}
