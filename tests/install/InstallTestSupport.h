#pragma once

// What the install tests share: archives made at test time by the tools that make them in
// the real world, what a folder holds before and after, and a real extractor around the
// English texts, scripted dialogs and an extraction view that records what it is shown.
// The archive helpers return an empty text on success and what went wrong otherwise, so a
// missing tool fails the test instead of skipping it.

#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "app/AppState.h"
#include "install/ExtractionView.h"
#include "install/ZipExtractor.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QMap>
#include <QStringList>

#include <functional>

// Runs program in workFolder.
QString runTool(const QString& program, const QStringList& arguments, const QString& workFolder = {});

// Writes zipPath with Python's zipfile. The script runs with `zf` open (deflate by
// default) and these helpers:
//   add(name, data=b'', method=DEFLATED, mode=None, system=3, date=(2011, 6, 15, 12, 34, 56))
//     name as text (ASCII, else UTF-8 with the UTF-8 flag) or as raw bytes, stored
//     without the flag unless utf8=True; mode is a Unix mode for the external attributes
//   add_zeros(name, size): a deflated entry of size zero bytes, made without compressing them
//   add_tree(folder): every folder and file below folder, as zf.write stores them
QString pythonZip(const QString& zipPath, const QString& script);

// Every folder (ending in "/") and file below root by relative path, with file contents;
// the undo point an installation leaves (".krvnm-backup") is not listed.
QMap<QString, QByteArray> snapshot(const QString& root);

// A folder for large extractions: in memory when the system has one with twice the
// room, so a test that writes gigabytes does not wait for a disk.
QString scratchParent(qint64 bytes);

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
