#pragma once

// What the tests of the download engine share: the English texts, file helpers, a
// download view that records what the engine does to it, with a real timer standing in
// for `tmrTimeout`, and the loopback server, folder and engine most of them download with.

#include "FakePlatform.h"
#include "NullWindow.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "app/AppState.h"
#include "app/Timings.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"

#include <QFile>
#include <QTemporaryDir>
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

// The download area as the user ends up seeing it: the status lines, the progress texts
// shown one after another, the bar, the countdown timer, the version-row icons, and each
// time the controls were handed back.
class RecordingDownloadView : public NullWindow
{
public:
    void setDownloadLabel(const QString& text) override
    {
        labels.append(text);
        onLabel(text);
    }
    void setProgressVisible(bool visible) override { barVisible = visible; }
    void setProgressMaximum(int maximum) override { barMaximum = maximum; }
    void setProgressValue(int value) override { barValue = value; }
    void setProgressBusy() override { barMaximum = 0; }
    void setTimeoutTimerActive(bool active) override { active ? timer.start(tickMs) : timer.stop(); }
    void hideStatusIcons() override { iconsHidden = true; }
    void enableControls(bool idle) override
    {
        NullWindow::enableControls(idle);
        onEnable();
    }

    // "hidden", "busy" or "value/maximum".
    QString bar() const
    {
        if (!barVisible)
            return QStringLiteral("hidden");
        return barMaximum ? QStringLiteral("%1/%2").arg(barValue).arg(barMaximum) : QStringLiteral("busy");
    }

    int tickMs = 1000;
    QTimer timer;
    std::function<void(const QString&)> onLabel = [](const QString&) {};
    std::function<void()> onEnable = [] {};

    QStringList labels;
    bool barVisible = false;
    int barValue = 0, barMaximum = 100;
    bool iconsHidden = false;
};

// A loopback server (started by the test), a folder, and an English state for direct connections.
struct NetFixture
{
    NetFixture()
    {
        state.languageIndex = 0;
        loadLanguageStrings(state, BuiltinStrings::compiled());
        state.connectionType = 1;
    }

    TestHttpServer server;
    QTemporaryDir temp;
    AppState state;
    FakePlatform platform;
    DownloadTimings timings;
};

// An engine over the network component (or a stand-in) with the fixture's connection settings.
template <class Transfer = QtTransferComponent> struct EngineRig
{
    explicit EngineRig(NetFixture& f) : engine(f.state, transfer, f.platform, f.timings, view, view)
    {
        QObject::connect(&view.timer, &QTimer::timeout, &engine, &DownloadEngine::countDownToTimeout);
        engine.prepareConnection();
    }

    Transfer transfer;
    RecordingDownloadView view;
    DownloadEngine engine;
};
