#pragma once

// What the start-up sequence and the command routing need from the main window.

#include <QString>

// EnableControls' decisions, which the window applies to its controls.
struct ControlStates
{
    // Idle: the menus, cmdLU and cmdExit are on and the cursor is the arrow; busy: they are
    // off, the cursor shows work, and cmdRun, cboRestore and mnuCheckSelfUpdate are off.
    bool idle = true;
    // Idle only. cmdRun and cboRestore are switched on when these say so and otherwise
    // left as they are; mnuCheckSelfUpdate follows selfUpdateEnabled.
    bool runEnabled = false;
    bool restoreEnabled = false;
    bool selfUpdateEnabled = false;
    // Idle only: mnuUndo, when the game folder holds an installation that can be undone.
    bool undoEnabled = false;
    // Idle only: cmdLU's caption.
    QString updateCaption;
};

class MainView
{
public:
    virtual ~MainView() = default;

    // Besides the controls, idle stops tmrTimeout and hides and resets pgbMain.
    virtual void applyControlStates(const ControlStates& states) = 0;
    // The text of the status bar `stbMain`.
    virtual void showStatusText(const QString& text) = 0;
    // The newest line of `lstStatus`; empty when the list is empty.
    virtual QString lastStatusLine() const = 0;
    virtual void showWindowTitle(const QString& title) = 0;
    // Selects the first (empty) item of `cboRestore`.
    virtual void resetRestoreList() = 0;
    // The product of the selected version row: the first of optGet(0..2) selected, else 3.
    virtual int selectedProduct() const = 0;
    // Checks the platform menu item of the index (0 Win9x, 1 Win32, 2 Win64), unchecks the others.
    virtual void checkPlatformItem(int index) = 0;
    // Enables or disables `cmdRun`.
    virtual void setRunEnabled(bool enabled) = 0;
    // The caption of `cmdLU`.
    virtual void setMainButtonCaption(const QString& caption) = 0;
    // Hides `imgUpdate` and shows `imgDownload` on `cmdLU`: the button now installs.
    virtual void showInstallImage() = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
};
