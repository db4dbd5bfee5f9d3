#pragma once

// File > "Undo last installation": after a confirmation naming the version the game goes
// back to, puts the game folder back as it was before the last installation, reads the
// installed version again and removes the backup. At start-up it finishes what a crash
// interrupted and says so in the status list.

struct AppState;
struct AppServices;
class DownloadEngine;
class GameDetection;
class DownloadView;
class MainControls;

class UndoInstallation
{
public:
    UndoInstallation(AppState& state, AppServices& services, DownloadEngine& engine, GameDetection& detection,
                     DownloadView& status, MainControls& controls);

    // Whether the game folder holds an installation that can be undone.
    bool available() const;
    void undo();
    // Takes back an interrupted installation or undo and removes our leftovers.
    void recoverAtStart();

private:
    AppState& state;
    AppServices& services;
    DownloadEngine& engine;
    GameDetection& detection;
    DownloadView& status;
    MainControls& controls;
};
