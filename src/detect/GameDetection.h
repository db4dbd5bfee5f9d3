#pragma once

// Finding, launching and identifying the installed game: the drive search, the folder
// choice, the launch command and the installed-version identification. The main window
// is reached only through DetectionView.

#include <QString>

struct AppState;
struct AppServices;
class DetectionView;
class QWidget;

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
    QString BrowseForFolder(QWidget* owner, const QString& title);
    // Identifies the installed version; keepPath keeps KrvnPath when it holds no executable.
    void GetKRVNVersion(bool keepPath = false);

    void cmdRun_Click();
    void mnuOpen_Click();
    void mnuRedetect_Click();

    // True when the version keeps its base set in "data" rather than "baseset".
    static bool KeepsBaseSetInData(const QString& version);

private:
    bool TransferBusy() const;
    void ShowMessage(int stringNumber, bool critical);
    // Asks for a folder holding "korvane.exe"; true when one was chosen and taken.
    bool ChooseGameFolder();
    void LaunchAndClose();
    void MarkInstalledChannel();

    AppState& state;
    AppServices& services;
    DetectionView& view;
};
