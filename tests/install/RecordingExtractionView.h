#pragma once

// An extraction view that records what the extraction does to it.

#include "install/ExtractionView.h"

#include <QStringList>

#include <functional>

class RecordingExtractionView : public ExtractionView
{
public:
    void addStatusLine(const QString& line) override
    {
        lines.append(line);
        if (onLine)
            onLine(line);
    }
    void setDownloadLabel(const QString& text) override { labels.append(text); }
    void setProgressVisible(bool visible) override { bar.append(visible ? QString("visible") : QString("hidden")); }
    void setProgressMaximum(int maximum) override { bar.append(QStringLiteral("max %1").arg(maximum)); }
    void setProgressValue(int value) override
    {
        bar.append(QStringLiteral("value %1").arg(value));
        highest = std::max(highest, value);
    }

    QStringList lines;
    QStringList labels;
    QStringList bar;
    int highest = 0;
    std::function<void(const QString&)> onLine;
};
