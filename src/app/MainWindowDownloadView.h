#pragma once

#include "net/DownloadView.h"

class frmMain;

// The main window's download label, progress bar, status list and time-out timer,
// as the download engine drives them.
class MainWindowDownloadView : public DownloadView
{
public:
    explicit MainWindowDownloadView(frmMain& window) : window(window) {}

    void setDownloadLabel(const QString& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setProgressBusy() override;
    void addStatusLine(const QString& line) override;
    QString lastStatusLine() const override;
    void setTimeoutTimerActive(bool active) override;
    void hideStatusIcons() override;
    void EnableControls(bool bStatus) override;

private:
    frmMain& window;
};
