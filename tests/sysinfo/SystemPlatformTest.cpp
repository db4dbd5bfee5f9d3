#include "sysinfo/SystemPlatform.h"
#include "TestMain.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SystemPlatformTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Without a network-information backend the state is unknown, and only a system that
    // says it is offline is offline: the check must go ahead, not fail.
    void unknownNetworkStateCountsAsOnline()
    {
        QTemporaryDir noPlugins;
        QCoreApplication::setLibraryPaths({noPlugins.path()});
        QVERIFY(!SystemPlatform().isOffline()); // a Failure thrown fails the test too
    }

    // Before an installation: is the game running from the game folder? Under Wine a
    // Windows program's command line names its executable in Wine's own way.
    void processNamingTheExecutable_data()
    {
        QTest::addColumn<QString>("argument");   // #game# stands for the game folder
        QTest::addColumn<QString>("workFolder"); // relative to the temporary folder
        QTest::addColumn<bool>("running");
        const auto row = [](const char* name, const char* argument, const char* workFolder, bool running) {
            QTest::newRow(name) << argument << workFolder << running;
        };
        row("full path", "#game#/korvane.exe", "", true);
        row("as Wine writes it", "Z:#game#\\KORVANE.EXE", "", true);
        row("relative, started in the game folder", "korvane.exe", "game", true);
        row("relative, started elsewhere", "korvane.exe", "other", false);
        row("the same name in another folder", "#game#/../other/korvane.exe", "", false);
        row("another program in the game folder", "#game#/korvane-server.exe", "", false);
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

KRVNM_REGISTER_TEST(SystemPlatformTest)
#include "SystemPlatformTest.moc"
