#pragma once

// What the game detection needs from the main window: the installed-version line,
// the run button, the status bar, the version rows and their status icons, and closing.

#include <QString>

#include <cstdint>

// The hidden picture sources of the row status icons.
enum class StatusPicture
{
    Download,    // imgDownload
    Update,      // imgUpdate
    Wait,        // imgWait
    Error,       // imgError
    Installed,   // imgInstalled
    Downloading, // imgDownloading
    Exclamation  // imgExclamation
};

class DetectionView
{
public:
    virtual ~DetectionView() = default;

    // The caption of lblVersion.
    virtual void setVersionText(const QString& text) = 0;
    // Enables or disables cmdRun.
    virtual void setRunEnabled(bool enabled) = 0;
    virtual void setStatusBar(const QString& text) = 0;
    // Selects the option button optGet(row).
    virtual void selectVersionRow(int row) = 0;
    // Shows picture as the only visible status icon, in row index.
    virtual void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) = 0;
    // Closes the main window, which ends the program.
    virtual void closeMainWindow() = 0;
};
