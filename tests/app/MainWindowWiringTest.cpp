// The program composed with the real game detection, download engine and transfer
// component: what a user does from the window reaches each of them.

#include "AppFixture.h"
#include "GameFixture.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/DownloadEngine.h"
#include "ui/StatusPanel.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class MainWindowWiringTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("imgStatus0"))->isHidden()); // the stable row is installed
        QCOMPARE(app.settings.values.value(QStringLiteral("KRVNVersion")), QStringLiteral("1.4.0"));
        QVERIFY(app.errors.reports.isEmpty());

        window.show();
        window.findChild<QPushButton*>(QStringLiteral("cmdRun"))->click();
        QCOMPARE(app.platform.launches.size(), 1);
        QCOMPARE(app.platform.launches.first().program, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(app.platform.launches.first().workingFolder, folder);
        QVERIFY(!window.isVisible());
        QCOMPARE(app.platform.processEnds, 1); // left through the normal shutdown
    }

    // The language step runs after the settings are loaded, so a stored language shows.
    void aStoredLanguageCaptionsTheWindow()
    {
        AppFixture app;
        app.settings.values.insert(QStringLiteral("Language"), QStringLiteral("SPANISH"));
        frmMain& window = app.startWindow();
        QCOMPARE(app.state->LanguageIndex, 1);
        const QString exit = BuiltinStrings::Compiled().lookup(BuiltinStrings::RowId(1, 5)).value();
        QVERIFY(exit != QStringLiteral("Exit"));
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("cmdExit"))->text(), exit);
    }

    void theEngineDownloadsIntoTheWorkFolderAndLogsInTheWindow()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveGenerated(QStringLiteral("/binaries/releases/1.4.1/build.zip"), 300000);
        AppFixture app(true);
        frmMain& window = app.startWindow();
        const QString target = app.state->WorkFolder + QStringLiteral("build.zip");

        DownloadEngine& engine = app.app->engine();
        QVERIFY(engine.PrepareConnection());
        QVERIFY(
            engine.DownloadFile(server.url(QStringLiteral("/binaries/releases/1.4.1/build.zip")), target, false, 0));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), TestHttpServer::GeneratedBytes(0, 300000));
        QVERIFY2(!window.statusPanel().lastStatusLine().isEmpty(), "the transfer's steps reach the status list");
        QVERIFY(app.errors.reports.isEmpty());
    }

    void closingDuringADownloadAsksAndNoLetsItFinish()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveTrickle(QStringLiteral("/files/krvnm_baseset.zip"), QByteArray(64 * 1024, 'b'), 8 * 1024, 40);
        AppFixture app(true);
        frmMain& window = app.startWindow();
        window.show();
        bool closed = true;
        QTimer::singleShot(100, &window, [&] {
            app.dialogs.answers.enqueue(Answer::No);
            closed = window.close();
        });
        DownloadEngine& engine = app.app->engine();
        QVERIFY(engine.PrepareConnection());
        QVERIFY(engine.DownloadFile(server.url(QStringLiteral("/files/krvnm_baseset.zip")),
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
