#pragma once

#include "NullWindow.h"

#include <QStringList>

// Records every call of the detection as one line, in order.
class RecordingDetectionView : public NullWindow
{
public:
    void setVersionText(const QString& text) override { calls.append(QStringLiteral("lblVersion=") + text); }
    void setRunEnabled(bool enabled) override
    {
        calls.append(QStringLiteral("cmdRun=") + (enabled ? QStringLiteral("on") : QStringLiteral("off")));
    }
    void setStatusBar(const QString& text) override { calls.append(QStringLiteral("SetStatusBar(") + text + u')'); }
    void selectVersionRow(int row) override { calls.append(QStringLiteral("optGet(%1)").arg(row)); }
    void setStatusIcon(std::uint8_t index, StatusPicture picture, const QString& toolTip) override
    {
        calls.append(QStringLiteral("SetStatusIcon(%1,%2,%3)").arg(index).arg(int(picture)).arg(toolTip));
    }
    void closeWindow() override { calls.append(QStringLiteral("close")); }

    QStringList calls;
};
