#pragma once

// What the tests of the download engine share: the English texts, file helpers, and a
// download view that records what the engine does to it, with a real timer standing in
// for `tmrTimeout`.

#include "app/AppState.h"
#include "app/MainControls.h"
#include "app/Timings.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadEngine.h"
#include "net/DownloadView.h"

#include <QFile>
#include <QTest>
#include <QTimer>

#include <functional>

namespace English {
inline const QString Lookup = QStringLiteral("Looking up the server IP address...");
inline const QString Connecting = QStringLiteral("Connecting to server...");
inline const QString Sending = QStringLiteral("Sending request...");
inline const QString Receiving = QStringLiteral("Downloading data...");
inline const QString ConnectError = QStringLiteral("Error connecting to server.");
inline const QString NotFound = QStringLiteral("Error 404 downloading file.");
inline const QString ConnectFailed = QStringLiteral("Failed to connect to server.");
inline const QString ListFailed = QStringLiteral("Failed to download updates list.");
inline const QString FileFailed = QStringLiteral("Failed to install new product version.");
inline const QString Done = QStringLiteral("Done.");
} // namespace English

inline void loadEnglish(AppState& state)
{
    state.languageIndex = 0;
    loadLanguageStrings(state, BuiltinStrings::compiled());
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

class RecordingDownloadView : public DownloadView, public MainControls
{
public:
    RecordingDownloadView()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { engine->countDownToTimeout(); });
    }

    void setDownloadLabel(const QString& text) override
    {
        labels.append(text);
        onLabel(text);
    }
    void setProgressVisible(bool visible) override { bar.append(QLatin1String(visible ? "visible" : "hidden")); }
    void setProgressMaximum(int maximum) override { bar.append(QStringLiteral("max %1").arg(maximum)); }
    void setProgressValue(int value) override { bar.append(QStringLiteral("value %1").arg(value)); }
    void setProgressBusy() override { bar.append("busy"); }
    void clearStatusList() override { lines.clear(); }
    void addStatusLine(const QString& line) override { lines.append(line); }
    QString lastStatusLine() const override { return lines.isEmpty() ? QString() : lines.last(); }
    void setTimeoutTimerActive(bool active) override
    {
        timerStates.append(active);
        active ? timer.start(tickMs) : timer.stop();
    }
    void hideStatusIcons() override { ++iconHides; }
    void enableControls(bool idle) override
    {
        enables.append(idle);
        onEnable();
    }
    void setStatusBar(const QString&) override {}

    DownloadEngine* engine = nullptr;
    int tickMs = 1000;
    QTimer timer;
    std::function<void(const QString&)> onLabel = [](const QString&) {};
    std::function<void()> onEnable = [] {};

    QStringList labels, bar, lines;
    QList<bool> timerStates, enables;
    int iconHides = 0;
};
