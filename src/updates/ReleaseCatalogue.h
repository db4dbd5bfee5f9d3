#pragma once

// The release catalogue: the latest stable, beta and nightly builds from the release feed,
// the older releases from the build server's listing, the rows that show them and the
// change logs behind their links. The main window is reached only through its views.

#include "app/MainWindowViews.h"

#include <QString>

struct AppState;
struct AppServices;
class DownloadEngine;
class DownloadView;
class FailureScope;

class ReleaseCatalogue
{
public:
    ReleaseCatalogue(AppState& state, AppServices& services, DownloadEngine& engine, DownloadView& status,
                     MainWindowViews views);

    // `checkForUpdates`: fetches the feed and the listing, fills the rows and the older
    // releases, marks the first channel whose build changed, stores the channels and turns
    // the main button into "Install Now" once the feed is in.
    void checkForUpdates();

    // The change log that `lblVersionInfo(index)` opens (the caller acts on the left button
    // only): for row 3 the release at restoreIndex, the selected item of `cboRestore` (-1
    // for none). Empty when there is nothing to open: no version known for the row, or no
    // older release selected.
    static QString changeLogAddress(const AppState& state, int index, int restoreIndex);

private:
    void readFeed(FailureScope& steps);
    void showChannels();
    void readListing(FailureScope& steps);
    void markNewBuild();
    void storeChannels(FailureScope& steps);
    void showOutcome();

    AppState& state;
    AppServices& services;
    DownloadEngine& engine;
    DownloadView& status;
    MainWindowViews views;
    bool feedDownloaded = false;
    bool listingDownloaded = false;
};
