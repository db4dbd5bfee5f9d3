#pragma once

// Finding, launching and identifying the installed game: the drive search, the folder
// choice, the launch command and the installed-version identification. The main window
// is reached only through DetectionView.

#include <QString>

struct AppState;
struct AppServices;
class DetectionView;

class GameDetection
{
public:
    GameDetection(AppState& state, AppServices& services, DetectionView& view);

    // Start-up: identifies the stored folder, or searches the drives when none is stored.
    void DetectAtStartup();

    // Searches the fixed drives C: to Z: for the standard location, then identifies.
    void FindKRVNPath();
    // The executable inside KrvnPath ("korvane.exe", else "ttd.exe"), or empty.
    QString GetKRVNExe() const;
    // A folder ending in the system's separator, or empty when the user cancels.
    QString BrowseForFolder(const QString& title);
    // Identifies the installed version; keepPath keeps KrvnPath when it holds no executable.
    void GetKRVNVersion(bool keepPath = false);

    // Starts the game and closes the window; asks for the folder first when the game is not there.
    void RunGame();
    // Asks for a folder holding "korvane.exe"; true when one was chosen and taken.
    bool ChooseGameFolder();

    // True when the version keeps its base set in "data" rather than "baseset".
    static bool KeepsBaseSetInData(const QString& version);

private:
    void ShowMessage(int stringNumber, bool critical);
    void LaunchAndClose();
    void MarkInstalledChannel();

    AppState& state;
    AppServices& services;
    DetectionView& view;
};
