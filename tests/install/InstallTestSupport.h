#pragma once

// What the extraction tests share: the English language table, an extraction view that
// records what it is shown, and scripted dialogs, around a real extractor.

#include "ScriptedDialogs.h"
#include "app/AppState.h"
#include "install/ExtractionView.h"
#include "install/ZipExtractor.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QStringList>

#include <functional>

inline void loadEnglish(AppState& state)
{
    state.languageIndex = 0;
    loadLanguageStrings(state, BuiltinStrings::compiled());
}

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
    void setProgressValue(int value) override { bar.append(QStringLiteral("value %1").arg(value)); }

    QStringList lines;
    QStringList labels;
    QStringList bar;
    std::function<void(const QString&)> onLine;
};

struct Extraction
{
    Extraction() { loadEnglish(state); }
    bool unzip(const QString& zip, const QString& target) { return extractor.unzipArchive(zip, target, true); }

    AppState state;
    ScriptedDialogs dialogs;
    RecordingExtractionView view;
    ZipExtractor extractor{state, dialogs, view};
};
