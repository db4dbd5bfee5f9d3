#pragma once

// What the tests of the download engine share: the English language table, quick
// durations, and file helpers.

#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadTimings.h"

#include <QFile>
#include <QTest>

inline void LoadEnglish(AppState& state)
{
    state.LanguageIndex = 0;
    LoadLanguageStrings(state, BuiltinStrings::Compiled());
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Restores the download timings when a test ends.
struct TimingsGuard
{
    TimingsGuard() : saved(CurrentDownloadTimings()) {}
    ~TimingsGuard() { CurrentDownloadTimings() = saved; }
    DownloadTimings saved;
};
