#pragma once

// The status card of the main window: the status list `lstStatus`, the download label
// `lblDownloadStatus` on a line of its own, below it the progress bar `pgbMain` with the
// Cancel button `cmdCancel` beside it, and the list transfers' countdown timer
// `tmrTimeout`. It is the download engine's view; what lies outside the card (the
// window's controls, the status bar, the row icons) it asks for through signals.

#include "net/DownloadView.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

class StatusPanel : public QWidget, public DownloadView
{
    Q_OBJECT

public:
    explicit StatusPanel(QWidget* parent = nullptr);

    // Ticks once a second while a list transfer waits; the composition root connects it.
    QTimer* timeoutTimer() const { return tmrTimeout; }
    // Idle again: the countdown stops and the progress bar is hidden and reset.
    void resetProgress();
    // `cmdCancel` is there only while the window is busy; clicking it emits cancelClicked.
    void setCancelAvailable(bool available);
    void clearStatusList() override;

    void setDownloadLabel(const QString& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressMaximum(int maximum) override;
    void setProgressValue(int value) override;
    void setProgressBusy() override;
    void addStatusLine(const QString& line) override;
    QString lastStatusLine() const override;
    void setTimeoutTimerActive(bool active) override;
    void hideStatusIcons() override;

Q_SIGNALS:
    void lineAdded();
    void hovered();
    void statusBarWanted(const QString& text);
    void statusIconsHidden();
    void cancelClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* lstStatus = nullptr;
    QLabel* lblDownloadStatus = nullptr;
    QProgressBar* pgbMain = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTimer* tmrTimeout = nullptr;
};
