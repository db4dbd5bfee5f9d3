#pragma once

// The main window as the logic layers see it, doing nothing: recording windows in the
// tests derive from it and override what they record.

#include "app/MainControls.h"
#include "app/MainView.h"
#include "app/MainWindowViews.h"
#include "app/VersionRowsView.h"
#include "net/DownloadView.h"

class NullWindow : public MainView, public VersionRowsView, public DownloadView, public MainControls
{
public:
    MainWindowViews views() { return {*this, *this, *this}; }

    // MainView
    void applyControlStates(const ControlStates&) override {}
    void showStatusText(const QString&) override {}
    QString lastStatusLine() const override { return lines.isEmpty() ? QString() : lines.last(); }
    void showWindowTitle(const QString&) override {}
    void resetRestoreList() override {}
    int selectedProduct() const override { return 0; }
    void checkPlatformItem(int) override {}
    void setRunEnabled(bool) override {}
    void setMainButtonCaption(const QString&) override {}
    void showInstallImage() override {}
    void closeWindow() override {}

    // VersionRowsView
    void setVersionText(const QString&) override {}
    void setRowCaption(int, const QString&) override {}
    void setRowDate(int, const QString&) override {}
    void setRowEnabled(int, bool) override {}
    void selectVersionRow(int) override {}
    bool isVersionRowSelected(int) const override { return false; }
    void setStatusIcon(std::uint8_t, StatusPicture, const QString&) override {}
    void hideStatusIcon(std::uint8_t) override {}
    void fillRestoreList(const QStringList&) override {}
    int restoreSelectedIndex() const override { return -1; }

    // DownloadView: the status list is kept, the rest ignored.
    void setDownloadLabel(const QString& text) override { label = text; }
    void setProgressVisible(bool) override {}
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
    void setProgressBusy() override {}
    void clearStatusList() override { lines.clear(); }
    void addStatusLine(const QString& line) override { lines.append(line); }
    void setTimeoutTimerActive(bool) override {}
    void hideStatusIcons() override {}

    // MainControls
    void enableControls(bool idle) override { enables.append(idle); }
    void setStatusBar(const QString&) override {}

    QString label;
    QStringList lines;
    QList<bool> enables;
};
