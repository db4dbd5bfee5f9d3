#pragma once

// The main window's behaviour without its widgets: the start-up sequence, shutdown,
// the busy state with EnableControls and the status bar, and the routing of buttons
// and menu commands with the one refusal while a transfer runs.

#include "app/MainControls.h"

#include <QString>

enum class MessageIcon;
struct AppState;
struct AppServices;
class CommandTargets;
class MainView;

class MainCommands : public MainControls
{
public:
    MainCommands(AppState& state, AppServices& services, MainView& view, CommandTargets& targets);

    // The start-up sequence ("MainWindow Load"), run once before the window is shown.
    void startUp();
    // True when the close must be cancelled (a transfer or an extraction runs and the user said No).
    bool closeCancelled();
    // Deletes the listing work files, stores the shutdown keys and ends the process.
    void quit();

    void enableControls(bool idle) override;
    bool busy() const { return isBusy; }
    void setStatusBar(const QString& text = {}) override;
    std::stop_token cancelToken() const override { return cancelSource.get_token(); }
    // `cmdCancel`: asks the busy job to stop; nothing is asked, nothing is lost.
    void cancelWork();
    // A line was added to the status list; while busy the status bar repeats it.
    void statusLineAdded();

    void runGame();
    // Installs the selected build once the catalogue is loaded, otherwise checks for it.
    void checkOrInstall();
    // The left button on the "Version information" link of row index (0 to 3).
    void openChangeLog(int index);
    void chooseGameFolder();
    void redetect();
    void undoInstallation();
    void checkSelfUpdate();
    void showOptions();
    void showAbout();
    // mnuWin9x, mnuWin32, mnuWin64: 0, 1, 2.
    void choosePlatform(int index);
    // Opens the address of the web-link menu entry with that name.
    void openLink(const QString& name);

private:
    // Shows language string 52 and returns true while a transfer runs.
    bool refusedWhileTransferring(MessageIcon icon);

    AppState& state;
    AppServices& services;
    MainView& view;
    CommandTargets& targets;
    bool isBusy = false;
    std::stop_source cancelSource;
};
