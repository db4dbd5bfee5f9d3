#pragma once

// The work behind the main window's start-up and commands that the layers above the
// core do (languages, game detection); the composition root supplies it.

class CommandTargets
{
public:
    virtual ~CommandTargets() = default;

    // Reads the user's locale: the language list and the font character set.
    virtual void readUserLocale() = 0;
    // Chooses the interface language, loads its texts and translates the main window.
    virtual void selectInterfaceLanguage() = 0;
    // Takes back an installation a crash interrupted and removes its leftovers.
    virtual void recoverInstallation() = 0;
    // Whether the game folder holds an installation that can be undone; undoes it.
    virtual bool canUndoInstallation() = 0;
    virtual void undoInstallation() = 0;
    // Identifies the stored game, or searches the drives for one.
    virtual void detectAtStartup() = 0;
    // Starts the game (asking for its folder when it is not there) and closes the window.
    virtual void runGame() = 0;
    // Asks for the game's folder and identifies the game found there.
    virtual void chooseGameFolder() = 0;
    // Identifies the installed game again.
    virtual void redetect() = 0;
    // The release check (CheckKRVNUpdates).
    virtual void checkCatalogue() = 0;
    // LiveUpdateNow: installs product 0 stable, 1 beta, 2 nightly or 3 the selected older release.
    virtual void install(int product) = 0;
    // Whether today's date differs from the last self-update check's.
    virtual bool selfCheckDueToday() = 0;
    // CheckSelfUpdate; automatic says whether it is the daily check after a release check.
    virtual void checkSelfUpdate(bool automatic) = 0;
    // Opens the change log of the version row index (0 to 3).
    virtual void openChangeLog(int index) = 0;
    // Whether an archive is being unpacked; StopWork ends it after the entry in hand.
    virtual bool extractionRunning() = 0;
    virtual void stopWork() = 0;
    // The options dialog and the about box, modal.
    virtual void showOptions() = 0;
    virtual void showAbout() = 0;
};
