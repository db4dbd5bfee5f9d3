#pragma once

// `installProduct`: installs a build (products 0 to 3), a new copy of this program
// (product 4) or the base set (product 5), and the older-release list's handlers. The
// main window is reached only through its views and the download engine.

#include "app/MainWindowViews.h"

#include <QString>

#include <cstdint>

struct AppState;
struct AppServices;
class DownloadEngine;
class DownloadView;
class FailureScope;
class GameDetection;
class ZipExtractor;

class Installer
{
public:
    enum Product : std::uint8_t
    {
        Stable = 0,
        Beta = 1,
        Nightly = 2,
        OlderRelease = 3,
        NewManager = 4,
        BaseSetFiles = 5
    };

    Installer(AppState& state, AppServices& services, DownloadEngine& engine, ZipExtractor& extractor,
              GameDetection& detection, DownloadView& status, MainWindowViews views);

    // Installs the product; any other number does nothing.
    void installProduct(std::uint8_t product);

    // `cboRestore` GotFocus: the main button now installs the older release.
    void refreshOlderReleases();
    // `cboRestore` Click, also when code sets its selected index: row 3 shows whether the
    // picked release is the installed one. The window passes the list's state.
    void pickOlderRelease(bool listEnabled, int itemCount, int selectedIndex);

    // The version the last older-release installation took; empty until the first one.
    const QString& selectedVersion() const { return selectedRelease; }

private:
    enum class End
    {
        Closing, // the closing steps follow
        Stopped, // ended early without them
        Nested   // the base set ran nested and closed for both
    };

    bool chooseInstallFolder(FailureScope& steps);
    // Refuses, with the message, while the game runs from the game folder.
    bool gameRunning();
    // Refuses, with the message, when the volume of root has no room to stage the archive.
    bool lacksRoomFor(const QString& zipPath, const QString& root);
    End installBuild(std::uint8_t product, FailureScope& steps);
    // After an extraction the Cancel button stopped: says so (and that the moves were
    // undone) and ends the installation with the window idle and the archive kept.
    bool stoppedByCancel();
    End offerBaseSet(FailureScope& steps);
    End installBaseSet(FailureScope& steps);
    End replaceManager(FailureScope& steps);
    // The version the product would install now, without taking the older-release pick.
    QString plannedVersion(std::uint8_t product) const;
    QString versionOf(std::uint8_t product);
    // Going back to a release older than the installed one only when the user agrees.
    bool goingBackAgreed(const QString& version);
    void refuseArchive(FailureScope& steps, const QString& what);

    AppState& state;
    AppServices& services;
    DownloadEngine& engine;
    ZipExtractor& extractor;
    GameDetection& detection;
    DownloadView& status;
    MainWindowViews views;
    QString selectedRelease;
};
