// The program composed with the real game detection, download engine and transfer
// component: what a user does from the window reaches each of them.

#include "AppFixture.h"
#include "GameFixture.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/DownloadEngine.h"
#include "ui/StatusPanel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

    // Check for Updates fills the rows from the servers, turns the button into Install Now
    // and, once a day, asks for a newer version of the program; a change-log link opens.
    void checkForUpdatesFillsTheRows()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveBytes(QStringLiteral("/versions.txt"), "1.5.0\t2015-01-01\tstable\n1.5.1-RC1\t2015-02-01\trc\n"
                                                           "r27000\t2015-02-03\tnightlies\n");
        QByteArray listing = "<table><tr><th>Name</th></tr><tr><td><a href=\"/\">Parent Directory</a></td></tr>";
        for (int i = 0; i < 12; ++i)
            listing += "<tr><td><a href=\"1.3." + QByteArray::number(i) + "/\">1.3." + QByteArray::number(i) +
                       "/</a></td><td>2012-01-0" + QByteArray::number(i % 9 + 1) + " 10:00 </td></tr>";
        server.serveBytes(QStringLiteral("/binaries/releases/"), listing + "</table>");
        server.serveBytes(QStringLiteral("/files/updates.php"), "[KRVNM]\nversion=1.0.4\n");
        AppFixture app(true);
        for (const char* key : {"FEEDSERVER", "BUILDSERVER", "MAKERSERVER"})
            app.settings.values.insert(QLatin1String(key), server.url());
        frmMain& window = app.startWindow();

        auto* cmdLU = window.findChild<QPushButton*>(QStringLiteral("cmdLU"));
        cmdLU->click();
        QCOMPARE(window.findChild<QRadioButton*>(QStringLiteral("optGet0"))->text(),
                 QStringLiteral("Korvane 1.5.0 (stable)"));
        QCOMPARE(cmdLU->text(), QStringLiteral("Install Now"));
        QVERIFY(window.findChild<QComboBox*>(QStringLiteral("cboRestore"))->isEnabled());
        QVERIFY2(app.state->SelfCheckDone, "the daily self-update check followed");
        int queries = 0;
        for (const TestHttpServer::Request& request : server.requests())
            queries += request.path.startsWith(QLatin1String("/files/updates.php"));
        QCOMPARE(queries, 1);
        QVERIFY(app.errors.reports.isEmpty());

        QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("lblVersionInfo0")), Qt::LeftButton);
        QCOMPARE(app.platform.opened,
                 QStringList{server.url() + QStringLiteral("/binaries/releases/1.5.0/changelog.txt")});
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
