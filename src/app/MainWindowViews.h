#pragma once

// The main window as the logic layers see it: its own controls (MainView), the version
// rows (VersionRowsView) and the shared procedures enableControls and setStatusBar
// (MainControls). The status card is the download engine's DownloadView.

#include "app/MainControls.h"
#include "app/MainView.h"
#include "app/VersionRowsView.h"

struct MainWindowViews
{
    MainView& window;
    VersionRowsView& rows;
    MainControls& controls;
};
