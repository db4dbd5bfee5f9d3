#pragma once

// The main window's behaviour without its widgets: the start-up sequence, shutdown,
// the busy state with EnableControls and the status bar, and the routing of buttons
// and menu commands with the one refusal while a transfer runs.

#include <QString>

enum class MessageIcon;
struct AppState;
struct AppServices;
class CommandTargets;
class MainView;

class MainCommands
{
public:
    MainCommands(AppState& state, AppServices& services, MainView& view, CommandTargets& targets);

    // The start-up sequence ("frmMain Load"), run once before the window is shown.
    void Load();
    // True when the close must be cancelled (a transfer or an extraction runs and the user said No).
    bool QueryUnload();
    // Deletes the listing work files, stores the shutdown keys and ends the process.
    void Unload();

    // Switches between idle (true) and busy (false).
    void EnableControls(bool bStatus);
    bool busy() const { return isBusy; }
    // Idle: the text, or the default text when empty. Busy: always the newest status line.
    void SetStatusBar(const QString& strText = {});
    // A line was added to the status list; while busy the status bar repeats it.
    void StatusLineAdded();

    void cmdRun_Click();
    // Installs the selected build once the catalogue is loaded, otherwise checks for it.
    void cmdLU_Click();
    // The left button on the "Version information" link of row index (0 to 3).
    void lblVersionInfo_MouseDown(int index);
    void mnuOpen_Click();
    void mnuRedetect_Click();
    void mnuCheckSelfUpdate_Click();
    void mnuSettings_Click();
    void mnuAbout_Click();
    // mnuWin9x, mnuWin32, mnuWin64: 0, 1, 2.
    void ChoosePlatform(int index);
    // Opens the address of the web-link menu entry with that name.
    void OpenLink(const QString& name);

private:
    // Shows language string 52 and returns true while a transfer runs.
    bool RefusedWhileTransferring(MessageIcon icon);

    AppState& state;
    AppServices& services;
    MainView& view;
    CommandTargets& targets;
    bool isBusy = false;
};
