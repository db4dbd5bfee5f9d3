// The real program, started as its own process in a sandbox: it finds its game, ends
// through the normal shutdown and stores its keys where the next run reads them.

#include "GameFixture.h"
#include "TestMain.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class ProgramRunTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsAndEndsThroughTheNormalShutdown()
    {
        QTemporaryDir sandbox;
        const QDir root(sandbox.path());
        QVERIFY(root.mkpath(QStringLiteral("wine/drive_c")));
        QVERIFY(root.mkpath(QStringLiteral("wine/dosdevices")));
        QVERIFY(QFile::link(QStringLiteral("../drive_c"), root.filePath(QStringLiteral("wine/dosdevices/c:"))));
        writeGame(root.filePath(QStringLiteral("wine/drive_c/korvane")), QStringLiteral("korvane.exe"),
                  QStringLiteral("1.3.2"));

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
        environment.insert(QStringLiteral("WINEPREFIX"), root.filePath(QStringLiteral("wine")));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess program;
        program.setProcessEnvironment(environment);
        const QString screenshot = root.filePath(QStringLiteral("window.png"));
        program.start(QStringLiteral(KRVNM_DEMO_PROGRAM), {QStringLiteral("--screenshot"), screenshot});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        QSettings stored(root.filePath(QStringLiteral("config/Quillon Works/KRVNM.conf")), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("KRVNVersion")).toString(), QStringLiteral("1.3.2"));
        QCOMPARE(stored.value(QStringLiteral("WinTempPath")).toString(), root.filePath(QStringLiteral("cache/krvnm/")));
    }
};

KRVNM_REGISTER_TEST(ProgramRunTest)
#include "ProgramRunTest.moc"
