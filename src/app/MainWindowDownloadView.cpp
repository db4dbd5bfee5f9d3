#include "app/MainWindowDownloadView.h"

#include "app/frmMain.h"

#include <QProgressBar>
#include <QTimer>

void MainWindowDownloadView::setDownloadLabel(const QString& text)
{
    window.SetDownloadStatus(text);
}

void MainWindowDownloadView::setProgressVisible(bool visible)
{
    window.ProgressBar()->setVisible(visible);
}

void MainWindowDownloadView::setProgressMaximum(int maximum)
{
    window.ProgressBar()->setRange(0, maximum);
}

void MainWindowDownloadView::setProgressValue(int value)
{
    window.ProgressBar()->setValue(value);
}

void MainWindowDownloadView::setProgressBusy()
{
    window.ProgressBar()->setRange(0, 0);
}

void MainWindowDownloadView::addStatusLine(const QString& line)
{
    window.AddStatusLine(line);
    window.SetStatusBar();
}

QString MainWindowDownloadView::lastStatusLine() const
{
    return window.LastStatusLine();
}

void MainWindowDownloadView::setTimeoutTimerActive(bool active)
{
    if (active)
        window.TimeoutTimer()->start();
    else
        window.TimeoutTimer()->stop();
}

void MainWindowDownloadView::hideStatusIcons()
{
    window.HideStatusIcons();
}

void MainWindowDownloadView::EnableControls(bool bStatus)
{
    window.EnableControls(bStatus);
}
