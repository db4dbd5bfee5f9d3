#pragma once

#include <QMainWindow>

struct AppState;
struct AppServices;
class QAction;
class QMenu;
class QPushButton;

// The main window. Loading it is the start-up sequence; closing it ends the process.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain(AppState& state, AppServices& services, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up sequence, run once before the window is shown.
    void Load();
    // True when the close must be cancelled (a transfer runs and the user said No).
    bool QueryUnload();
    // Deletes the listing work files, stores the shutdown keys and ends the process.
    void Unload();

    void mnuWin9x_Click();
    void mnuWin32_Click();
    void mnuWin64_Click();
    void CheckPlatformItem(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void ChoosePlatform(int index);

    AppState& state;
    AppServices& services;
    bool unloaded = false;

    QAction* mnuOpen = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuSettings = nullptr;
    QMenu* mnuPlatform = nullptr;
    QAction* mnuWin9x = nullptr;
    QAction* mnuWin32 = nullptr;
    QAction* mnuWin64 = nullptr;
    QAction* mnuRedetect = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdLU = nullptr;
    QPushButton* cmdExit = nullptr;
};
