#pragma once

// The controls of the main window that the zip extraction drives; the main window's
// status panel implements it, tests record it. Every call comes on the user-interface
// thread.

#include <QString>

class ExtractionView
{
public:
    virtual ~ExtractionView() = default;

    // `lstStatus`: appends a line, selects it (scrolling it into view), then clears the
    // selection and refreshes the status bar, as for every status line.
    virtual void addStatusLine(const QString& line) = 0;
    // `lblDownloadStatus`: its caption; the status bar follows the change.
    virtual void setDownloadLabel(const QString& text) = 0;
    // `pgbMain`.
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
};
