#include "AppFixture.h"
#include "GameFixture.h"
#include "InstallTestSupport.h"
#include "TestMain.h"
#include "app/MainCommands.h"
#include "install/InstallRecord.h"

#include <QAction>
#include <QListWidget>
#include <QTest>

// File > Undo last installation, as the user meets it after the next start.
class UndoInstallationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void undoFromTheMenuAfterARestart()
    {
        AppFixture app;
        const QString game = app.temp.filePath("game/");
        writeGame(game, "korvane.exe", "1.3.0");
        QVERIFY(writeFile(game + "data/old.dat", "old"));
        QVERIFY(writeFile(game + "data/kept.dat", "kept"));
        const QMap<QString, QByteArray> before = snapshot(game);
        const QString source = app.temp.filePath("source/");
        writeGame(source, "korvane.exe", "1.4.0");
        QVERIFY(writeFile(source + "data/old.dat", "replaced"));
        QVERIFY(writeFile(source + "data/new.dat", "new"));
        QVERIFY(writeFile(source + "new/deeper/c.dat", "new folders"));
        const QString zip = app.temp.filePath("build.zip");
        QCOMPARE(runTool("zip", {"-q", "-r", zip, "."}, source), QString());
        Extraction x;
        QVERIFY(x.extractor.unzipArchive(zip, game, true, game, "1.3.0"));
        app.settings.values.insert("KRVNPath", game);

        MainWindow& window = app.startWindow();
        QCOMPARE(app.state->krvnVersion, QStringLiteral("1.4.0"));
        QCOMPARE(readFile(game + "new/deeper/c.dat"), QByteArray("new folders"));
        auto* undo = window.findChild<QAction*>("mnuUndo");
        QVERIFY(undo->isEnabled());
        app.app->commands().enableControls(false);
        QVERIFY2(!undo->isEnabled(), "no undo while busy");
        app.app->commands().enableControls(true);

        app.dialogs.answers << Answer::No << Answer::Yes;
        undo->trigger();
        QCOMPARE(app.state->krvnVersion, QStringLiteral("1.4.0"));
        undo->trigger();

        // The question, the menu command afterwards and the status line are toured.
        QCOMPARE(app.dialogs.messages.size(), 2);
        QCOMPARE(app.state->krvnVersion, QStringLiteral("1.3.0"));
        QCOMPARE(snapshot(game), before);
    }

    // A power cut while the files moved: one file replaced, one added. The next start
    // puts the folder back before it reads the version, and says so.
    void startTakesBackAnInterruptedInstallation()
    {
        AppFixture app;
        const QString game = app.temp.filePath("game/");
        writeGame(game, "korvane.exe", "1.3.0");
        const QMap<QString, QByteArray> before = snapshot(game);
        const QString staging = game + ".krvnm-staging-0000abcd/";
        QVERIFY(QDir().mkpath(staging + "backup/files") && QDir().mkpath(staging + "files"));
        QVERIFY(QFile::rename(game + "korvane.exe", staging + "backup/files/korvane.exe"));
        writeGame(game, "korvane.exe", "1.4.0");
        QVERIFY(writeFile(game + "new/added.dat", "added"));
        QVERIFY(writeFile(staging + "files/later.dat", "not moved yet"));
        InstallRecord journal{".krvnm-staging-0000abcd",
                              "1.3.0",
                              {"new"},
                              {{"korvane.exe", true}, {"new/added.dat", false}, {"later.dat", false}}};
        QVERIFY(journal.write(game + ".krvnm-journal"));
        app.settings.values.insert("KRVNPath", game);

        MainWindow& window = app.startWindow();

        QCOMPARE(snapshot(game), before);
        QCOMPARE(app.state->krvnVersion, QStringLiteral("1.3.0"));
        QVERIFY(!window.findChild<QAction*>("mnuUndo")->isEnabled());
        const QString undone = "An interrupted installation was undone: the game folder is as it was before it.";
        QVERIFY(!window.findChild<QListWidget*>("lstStatus")->findItems(undone, Qt::MatchExactly).isEmpty());
    }
};

KRVNM_REGISTER_TEST(UndoInstallationTest)
#include "UndoInstallationTest.moc"
