#pragma once

// The controls of the main window that the download engine drives; the main window
// implements it, tests record it.

#include <QString>

class DownloadView
{
public:
    virtual ~DownloadView() = default;

    // `lblDownloadStatus`: its caption.
    virtual QString downloadLabel() const = 0;
    virtual void setDownloadLabel(const QString& text) = 0;

    // `pgbMain`. A maximum above 0 ends the busy state.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    // Shows activity without a position, for a body of unknown length.
    virtual void setProgressBusy() = 0;

    // `lstStatus`: appends a line, selects it (scrolling it into view), then clears the selection.
    virtual void addStatusLine(const QString& line) = 0;
    // The list's last line; empty when the list is empty.
    virtual QString lastStatusLine() const = 0;

    // `tmrTimeout`: while active it calls DownloadEngine::tmrTimeout_Timer once per tick.
    virtual void setTimeoutTimerActive(bool active) = 0;

    // Hides `imgStatus(0)` to `imgStatus(3)`.
    virtual void hideStatusIcons() = 0;

    virtual void EnableControls(bool bStatus) = 0;
    virtual void SetStatusBar(const QString& strText) = 0;
};
