#include "TestMain.h"
#include "sysinfo/SystemPlatform.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Before an installation: is the game running from the game folder? Under Wine a
// Windows program's command line names its executable in Wine's own way.
class RunningGameTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void processNamingTheExecutable_data()
    {
        QTest::addColumn<QString>("argument");   // #game# stands for the game folder
        QTest::addColumn<QString>("workFolder"); // relative to the temporary folder
        QTest::addColumn<bool>("running");
        QTest::newRow("full path") << "#game#/korvane.exe"
                                   << "" << true;
        QTest::newRow("as Wine writes it") << "Z:#game#\\KORVANE.EXE"
                                           << "" << true;
        QTest::newRow("relative, started in the game folder") << "korvane.exe"
                                                              << "game" << true;
        QTest::newRow("relative, started elsewhere") << "korvane.exe"
                                                     << "other" << false;
        QTest::newRow("the same name in another folder") << "#game#/../other/korvane.exe"
                                                         << "" << false;
        QTest::newRow("another program in the game folder") << "#game#/korvane-server.exe"
                                                            << "" << false;
    }

    void processNamingTheExecutable()
    {
        QFETCH(QString, argument);
        QFETCH(QString, workFolder);
        QFETCH(bool, running);
        QTemporaryDir temp;
        const QString game = temp.filePath("game");
        QVERIFY(QDir().mkpath(game) && QDir().mkpath(temp.filePath("other")));
        QString native = game;
        if (argument.startsWith("Z:"))
            native.replace('/', '\\');
        QProcess process;
        process.setWorkingDirectory(temp.filePath(workFolder));
        // The shell waits on its input and shows the argument as its own name ($0).
        process.start("sh", {"-c", "read line", argument.replace("#game#", native)});
        QVERIFY(process.waitForStarted());

        SystemPlatform platform;
        QCOMPARE(platform.isProgramRunning(game + "/korvane.exe"), running);

        process.closeWriteChannel();
        QVERIFY(process.waitForFinished());
        QVERIFY(!platform.isProgramRunning(game + "/korvane.exe"));
    }
};

KRVNM_REGISTER_TEST(RunningGameTest)
#include "RunningGameTest.moc"
