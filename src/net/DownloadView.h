#pragma once

// The controls of the main window's status area that the download engine drives. The
// window's status panel implements it, tests record it. No call runs the event loop.

#include <QString>

class DownloadView
{
public:
    virtual ~DownloadView() = default;

    // Shows text in `lblDownloadStatus` and passes it on to the status bar as
    // `lblDownloadStatus_Change` does: setStatusBar(text), which shows it unless the window
    // is busy. The engine remembers the text it set last and calls this only on a change.
    virtual void setDownloadLabel(const QString& text) = 0;

    // `pgbMain`: shown or hidden.
    virtual void setProgressVisible(bool visible) = 0;
    // Range 0 to maximum; the engine passes a maximum above 0, which ends the busy animation.
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    // The busy animation (range 0 to 0), for a body of unknown length.
    virtual void setProgressBusy() = 0;

    // Empties `lstStatus`.
    virtual void clearStatusList() = 0;
    // `lstStatus`: appends the line as the last one, scrolls it into view with nothing
    // left selected, then refreshes the status bar as SetStatusBar with empty text does
    // (a busy window shows this newest line there).
    virtual void addStatusLine(const QString& line) = 0;
    // The list's last line; empty when the list is empty.
    virtual QString lastStatusLine() const = 0;

    // Starts or stops `tmrTimeout`; while it runs, each tick calls
    // DownloadEngine::countDownToTimeout.
    virtual void setTimeoutTimerActive(bool active) = 0;

    // Hides `imgStatus(0)` to `imgStatus(3)`.
    virtual void hideStatusIcons() = 0;
};
