#pragma once

#include "NullWindow.h"

#include <QString>

#include <optional>

// The main window as the detection leaves it.
class RecordingDetectionView : public NullWindow
{
public:
    void setVersionText(const QString& text) override { versionText = text, statusBarCurrent = false; }
    void setRunEnabled(bool enabled) override { runEnabled = enabled; }
    void setStatusBar(const QString&) override { statusBarCurrent = true; }
    void selectVersionRow(int row) override { selectedRow = row, statusBarCurrent = false; }
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override
    {
        icon = QStringLiteral("%1 %2 %3").arg(index).arg(int(picture)).arg(toolTip);
        statusBarCurrent = false;
    }
    void closeWindow() override { ++closes; }

    QString versionText; // lblVersion
    std::optional<bool> runEnabled;
    bool statusBarCurrent = false; // refreshed after the last change of the version line or rows
    int selectedRow = -1;
    QString icon; // "row picture tooltip" of the one shown
    int closes = 0;
};
