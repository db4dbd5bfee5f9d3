#pragma once

// The work behind the main window's start-up and commands that the layers above the
// core do (languages, game detection); the composition root supplies it.

class CommandTargets
{
public:
    virtual ~CommandTargets() = default;

    // Reads the user's locale: the language list and the font character set.
    virtual void ReadUserLocale() = 0;
    // Chooses the interface language, loads its texts and translates the main window.
    virtual void SelectInterfaceLanguage() = 0;
    // Identifies the stored game, or searches the drives for one.
    virtual void DetectAtStartup() = 0;
    // Starts the game (asking for its folder when it is not there) and closes the window.
    virtual void RunGame() = 0;
    // Asks for the game's folder and identifies the game found there.
    virtual void ChooseGameFolder() = 0;
    // Identifies the installed game again.
    virtual void Redetect() = 0;
    // The release check (CheckKRVNUpdates).
    virtual void CheckCatalogue() = 0;
    // LiveUpdateNow: installs product 0 stable, 1 beta, 2 nightly or 3 the selected older release.
    virtual void Install(int product) = 0;
    // Whether today's date differs from the last self-update check's.
    virtual bool SelfCheckDueToday() = 0;
    // CheckSelfUpdate; automatic says whether it is the daily check after a release check.
    virtual void CheckSelfUpdate(bool automatic) = 0;
    // Opens the change log of the version row index (0 to 3).
    virtual void OpenChangeLog(int index) = 0;
    // Whether an archive is being unpacked; StopWork ends it after the entry in hand.
    virtual bool ExtractionRunning() = 0;
    virtual void StopWork() = 0;
    // The options dialog and the about box, modal.
    virtual void ShowOptions() = 0;
    virtual void ShowAbout() = 0;
};
