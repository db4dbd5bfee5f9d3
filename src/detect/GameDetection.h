#pragma once

// Finding, launching and identifying the installed game: the drive search, the folder
// choice, the launch command and the installed-version identification. The main window
// is reached only through its views.

#include "app/MainWindowViews.h"

#include <QString>

struct AppState;
struct AppServices;

class GameDetection
{
public:
    GameDetection(AppState& state, AppServices& services, MainWindowViews views);

    // Start-up: identifies the stored folder, or searches the drives when none is stored.
    void detectAtStartup();

    // Searches the fixed drives C: to Z: for the standard location, then identifies.
    void findGameFolder();
    // The executable inside KrvnPath ("korvane.exe", else "ttd.exe"), or empty.
    QString gameExecutable() const;
    // A folder ending in the system's separator, or empty when the user cancels.
    QString browseForFolder(const QString& title);
    // Identifies the installed version; keepPath keeps KrvnPath when it holds no executable.
    void readGameVersion(bool keepPath = false);

    // Starts the game and closes the window; asks for the folder first when the game is not there.
    void runGame();
    // Asks for a folder holding "korvane.exe"; true when one was chosen and taken.
    bool chooseGameFolder();

    // True when the version keeps its base set in "data" rather than "baseset".
    static bool keepsBaseSetInData(const QString& version);

private:
    void showMessage(int stringNumber, bool critical);
    void launchAndClose();
    void markInstalledChannel();

    AppState& state;
    AppServices& services;
    MainWindowViews views;
};
