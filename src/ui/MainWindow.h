#pragma once

// The main window: the banner, the version rows, the status card, three buttons, the
// status bar and the menu. It owns widgets only; MainCommands decides what they do.

#include "app/MainView.h"

#include <QMainWindow>

enum class MenuCommand;
class BannerPanel;
class MainCommands;
class MainMenu;
class QLabel;
class QPushButton;
class QRect;
class StatusPanel;
class VersionRowsPanel;

class MainWindow : public QMainWindow, public MainView
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Routes the buttons, the menu and the panels' requests to the commands; once, before Load.
    void attach(MainCommands& commands);

    StatusPanel& statusPanel() const { return *status; }
    VersionRowsPanel& versionRows() const { return *rows; }
    MainMenu& menu() const { return *mainMenu; }

    // Makes the window, frame included, fit the room (a screen's free area; 1366 x 768 at
    // 125 % with a taskbar leaves about 1090 x 570): the status list gives way first.
    // Done once by itself when the window is first shown.
    void fitInto(const QRect& room);

    // MainView
    void applyControlStates(const ControlStates& states) override;
    void showStatusText(const QString& text) override;
    QString lastStatusLine() const override;
    void showWindowTitle(const QString& title) override;
    void resetRestoreList() override;
    void checkPlatformItem(int index) override;
    int selectedProduct() const override;
    void setRunEnabled(bool enabled) override;
    void setMainButtonCaption(const QString& caption) override;
    void showInstallImage() override;
    void closeWindow() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildButtons();
    void runCommand(MenuCommand command);

    MainCommands* commands = nullptr;
    bool unloaded = false;
    bool fittedToScreen = false;

    MainMenu* mainMenu = nullptr;
    BannerPanel* banner = nullptr;
    VersionRowsPanel* rows = nullptr;
    StatusPanel* status = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdLU = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* stbMainText = nullptr;
};
