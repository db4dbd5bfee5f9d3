#pragma once

// The main window as the installation, its download engine and the game detection see
// it, recording what they do.

#include "detect/DetectionView.h"
#include "install/InstallView.h"
#include "net/DownloadView.h"

#include <QStringList>

inline QString PictureName(StatusPicture picture)
{
    static const char* const names[] = {"download",  "update",      "wait",       "error",
                                        "installed", "downloading", "exclamation"};
    return QString::fromLatin1(names[static_cast<int>(picture)]);
}

class RecordingInstallView : public InstallView, public DownloadView, public DetectionView
{
public:
    // Icons read "row picture tooltip", "hide row" or "hide all".
    void EnableControls(bool bStatus) override { enables.append(bStatus); }
    void clearStatusList() override { lines.clear(); }
    void SetStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override
    {
        icons.append(QStringLiteral("%1 %2 %3").arg(index).arg(PictureName(picture), toolTip));
    }
    void hideStatusIcon(std::uint8_t index) override { icons.append(QStringLiteral("hide %1").arg(index)); }
    bool isVersionRowSelected(int row) const override { return row == selectedRow; }
    void selectVersionRow(int) override {}
    int restoreSelectedIndex() const override { return restoreIndex; }
    void unloadMainWindow() override { ++unloads; }

    void setDownloadLabel(const QString& text) override { label = text; }
    void setProgressVisible(bool) override {}
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
    void setProgressBusy() override {}
    void addStatusLine(const QString& line) override { lines.append(line); }
    QString lastStatusLine() const override { return lines.isEmpty() ? QString() : lines.last(); }
    void setTimeoutTimerActive(bool) override {}
    void hideStatusIcons() override { icons.append(QStringLiteral("hide all")); }

    void setVersionText(const QString& text) override { versionText = text; }
    void setRunEnabled(bool) override {}
    void SetStatusBar(const QString&) override {}
    void closeMainWindow() override {}

    int selectedRow = -1;
    int restoreIndex = -1;
    QList<bool> enables;
    QStringList icons;
    int unloads = 0;
    QString label;
    QStringList lines;
    QString versionText;
};
