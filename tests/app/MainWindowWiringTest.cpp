// The main window with the real game detection, download engine and transfer component
// behind it: what a user does from the window reaches each of them.

#include "AppFixture.h"
#include "GameFixture.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/DownloadEngine.h"
#include "net/DownloadTimings.h"
#include "net/QtTransferComponent.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList Lines(const frmMain& window)
{
    QStringList lines;
    for (int i = 0; i < window.StatusList()->count(); ++i)
        lines << window.StatusList()->item(i)->text();
    return lines;
}

// The fixture with the real transfer component in place of the fake one.
struct NetworkedApp : AppFixture
{
    NetworkedApp() { services.transfer = &intMain; }
    QtTransferComponent intMain;
};

} // namespace

class MainWindowWiringTest : public QObject
{
    Q_OBJECT

    DownloadTimings savedTimings;

private Q_SLOTS:
    void init() { savedTimings = CurrentDownloadTimings(); }
    void cleanup() { CurrentDownloadTimings() = savedTimings; }

    void startupIdentifiesTheStoredGameAndRunLaunchesIt()
    {
        AppFixture app;
        const QString folder =
            QDir::toNativeSeparators(app.temp.filePath(QStringLiteral("Korvane"))) + QDir::separator();
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0"));
        app.settings.values.insert(QStringLiteral("KRVNPath"), folder);
        frmMain& window = app.startWindow();

        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Korvane 1.4.0 detected."));
        QVERIFY(window.RunButton()->isEnabled());
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("imgStatus0"))->isHidden()); // the stable row is installed
        QCOMPARE(app.settings.values.value(QStringLiteral("KRVNVersion")), QStringLiteral("1.4.0"));
        QVERIFY(app.errors.reports.isEmpty());

        window.show();
        window.RunButton()->click();
        QCOMPARE(app.platform.launches.size(), 1);
        QCOMPARE(app.platform.launches.first().program, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(app.platform.launches.first().workingFolder, folder);
        QVERIFY(!window.isVisible());
        QCOMPARE(app.platform.processEnds, 1); // left through the normal shutdown
    }

    void theWindowsEngineDownloadsIntoTheWorkFolder()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveGenerated(QStringLiteral("/binaries/releases/1.4.1/build.zip"), 300000);
        NetworkedApp app;
        frmMain& window = app.startWindow();
        const QString target = app.state->WorkFolder + QStringLiteral("build.zip");

        QVERIFY(window.Engine()->PrepareConnection());
        QVERIFY(window.Engine()->DownloadFile(server.url(QStringLiteral("/binaries/releases/1.4.1/build.zip")), target,
                                              false, 0));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), TestHttpServer::GeneratedBytes(0, 300000));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
        QVERIFY2(!Lines(window).isEmpty(), "the transfer's steps reach the status list");
        QVERIFY(app.errors.reports.isEmpty());
    }

    void theWindowsTimerCountsDownAStuckListTransfer()
    {
        CurrentDownloadTimings().countdownTickMs = 20;
        CurrentDownloadTimings().requestTimeoutMs = 60000;
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveNeverAnswered(QStringLiteral("/versions.txt"));
        NetworkedApp app;
        frmMain& window = app.startWindow();
        QCOMPARE(window.TimeoutTimer()->interval(), 20);

        QVERIFY(window.Engine()->PrepareConnection());
        QVERIFY(!window.Engine()->DownloadFile(server.url(QStringLiteral("/versions.txt")), app.state->VersionsFile,
                                               true, 0));
        QVERIFY2(Lines(window).contains(QStringLiteral("Failed to connect to server.")),
                 qPrintable(Lines(window).join(u'|')));
        QVERIFY(!QFile::exists(app.state->VersionsFile));
        QVERIFY(!window.TimeoutTimer()->isActive());
    }

    void closingDuringADownloadAsksAndNoLetsItFinish()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveTrickle(QStringLiteral("/files/krvnm_baseset.zip"), QByteArray(64 * 1024, 'b'), 8 * 1024, 40);
        NetworkedApp app;
        frmMain& window = app.startWindow();
        window.show();
        bool closed = true;
        QTimer::singleShot(100, &window, [&] {
            app.dialogs.answers.enqueue(Answer::No);
            closed = window.close();
        });
        QVERIFY(window.Engine()->PrepareConnection());
        QVERIFY(window.Engine()->DownloadFile(server.url(QStringLiteral("/files/krvnm_baseset.zip")),
                                              app.state->WorkFolder + QStringLiteral("krvnm_baseset.zip"), false, 0));
        QVERIFY(!closed);
        QVERIFY(window.isVisible());
        QCOMPARE(app.dialogs.messages.size(), 1);
        QCOMPARE(app.dialogs.messages.first().text, app.state->str(51));
        QCOMPARE(app.platform.processEnds, 0);
    }
};

KRVNM_REGISTER_TEST(MainWindowWiringTest)
#include "MainWindowWiringTest.moc"
