#pragma once

// A download view that records what the engine does to it, with a real timer standing
// in for `tmrTimeout`.

#include "net/DownloadEngine.h"
#include "net/DownloadView.h"

#include <QStringList>
#include <QTimer>

class RecordingDownloadView : public DownloadView
{
public:
    RecordingDownloadView()
    {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            ++ticks;
            if (engine)
                engine->tmrTimeout_Timer();
        });
    }

    QString downloadLabel() const override { return label; }
    void setDownloadLabel(const QString& text) override
    {
        label = text;
        labels.append(text);
        onLabel(text);
    }
    void setProgressVisible(bool visible) override
    {
        bar.append(visible ? QStringLiteral("visible") : QStringLiteral("hidden"));
    }
    void setProgressMaximum(int maximum) override { bar.append(QStringLiteral("max %1").arg(maximum)); }
    void setProgressValue(int value) override { bar.append(QStringLiteral("value %1").arg(value)); }
    void setProgressBusy() override { bar.append("busy"); }
    void addStatusLine(const QString& line) override { lines.append(line); }
    QString lastStatusLine() const override { return lines.isEmpty() ? QString() : lines.last(); }
    void setTimeoutTimerActive(bool active) override
    {
        timerStates.append(active);
        if (active)
            timer.start(tickMs);
        else
            timer.stop();
    }
    void hideStatusIcons() override { ++iconHides; }
    void EnableControls(bool bStatus) override { enables.append(bStatus); }
    void SetStatusBar(const QString& strText) override { statusBar.append(strText); }

    DownloadEngine* engine = nullptr;
    int tickMs = 1000;
    QTimer timer;
    std::function<void(const QString&)> onLabel = [](const QString&) {};

    QString label;
    QStringList labels;
    QStringList bar;
    QStringList lines;
    QList<bool> timerStates;
    int ticks = 0;
    int iconHides = 0;
    QList<bool> enables;
    QStringList statusBar;
};
