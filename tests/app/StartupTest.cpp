#include "AppFixture.h"
#include "GameFixture.h"
#include "TestFiles.h"
#include "TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTest>

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The work folder is made from nothing; it and the program's folder end in exactly one
    // separator, even at the root of the drive. An unusable work folder is reported once
    // and the later steps still run; without the system's folder no file of the current
    // folder is touched, at start or at close.
    void workFolder_data()
    {
        QTest::addColumn<QString>("folder"); // in the temporary folder; empty: no system folder
        QTest::addColumn<bool>("usable");
        QTest::newRow("made from nothing") << "windows/temp/krvnm" << true;
        QTest::newRow("a file in the way") << "versions.tmp/krvnm/" << false;
        QTest::newRow("no system folder") << "" << false;
    }

    void workFolder()
    {
        QFETCH(QString, folder);
        QFETCH(bool, usable);
        AppFixture app;
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(app.temp.path()));
        for (const char* name : {"versions.tmp", "krvnsupd.tmp", "download.part"})
            QVERIFY(writeFile(QLatin1String(name)));
        app.platform.workFolderPath =
            folder.isEmpty() ? QString() : QDir::toNativeSeparators(app.temp.filePath(folder));
        app.platform.applicationPath = QStringLiteral("/krvnm");
        app.settings.values.insert("Platform", "WIN9X");
        MainWindow& window = app.startWindow();
        window.show();
        QVERIFY(window.close());
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(app.errors.reports.size(), usable ? 0 : 1);
        if (!usable)
            QCOMPARE(app.errors.reports.first().source, QStringLiteral("frmMain Load"));
        QVERIFY(app.dialogs.messages.isEmpty());
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane Manager 1.0.4"));
        QCOMPARE(app.state->platformIndex, 0); // later steps still ran
        QCOMPARE(app.state->appFolder, QDir::toNativeSeparators(QStringLiteral("/")));
        for (const char* name : {"versions.tmp", "krvnsupd.tmp", "download.part"})
            QVERIFY2(QFile::exists(app.temp.filePath(QLatin1String(name))), name);
        if (usable) {
            const QString work = app.platform.workFolderPath + QDir::separator();
            QVERIFY(QFileInfo(work).isDir());
            QCOMPARE(app.state->workFolder, work);
            QCOMPARE(app.state->versionsFile, work + QStringLiteral("versions.tmp"));
        }
    }

    // Start-up deletes what a previous run may have left; closing deletes the listings and
    // logs but keeps the release feed, and stores its keys without asking, a failing key
    // skipped silently.
    void workFilesAndKeysAtStartAndClose()
    {
        AppFixture app;
        const QString work = app.platform.workFolderPath;
        const QStringList stale = {"versions.tmp", "krvnsupd.tmp",  "krvnnupd.tmp",  "krvnmngr.tmp",
                                   "updater4.exe", "krvnm.exe.tmp", "build.zip.part"};
        for (const QString& name : stale + QStringList{"korvane-1.4.0-windows-win32.zip", "nlog.htm"})
            QVERIFY(writeFile(work + name));
        app.settings.values.insert("LatestVersionGot", "1.3.2");
        MainWindow& window = app.startWindow();
        for (const QString& name : stale)
            QVERIFY2(!QFileInfo::exists(work + name), qPrintable(name + " survived start-up"));
        QVERIFY(QFileInfo::exists(work + "korvane-1.4.0-windows-win32.zip"));
        QVERIFY(QFileInfo::exists(work + "nlog.htm"));

        app.state->lastSelfCheckDate = QStringLiteral("06/12/2026");
        app.settings.failingWrites.insert(QStringLiteral("WinTempPath"));
        for (const char* name : {"krvnsupd.tmp", "krvnmngr.tmp", "ablog.htm", "versions.tmp"})
            QVERIFY(writeFile(work + QLatin1String(name)));
        window.show();
        QVERIFY(window.close());
        QCOMPARE(app.platform.processEnds, 1);
        QVERIFY(app.dialogs.messages.isEmpty());
        QVERIFY(app.errors.reports.isEmpty());
        const QList<QPair<QString, QString>> keys = {{"LatestVersionGot", "1.3.2"},
                                                     {"LastSelfCheckDate", "06/12/2026"}};
        QCOMPARE(app.settings.writes, keys);
        for (const char* name : {"krvnsupd.tmp", "krvnmngr.tmp", "ablog.htm", "nlog.htm"})
            QVERIFY2(!QFileInfo::exists(work + QLatin1String(name)), name);
        QVERIFY2(QFileInfo::exists(work + "versions.tmp"), "the release feed copy stays at shutdown");
    }

    // The real program, started as its own process in a sandbox: it finds its game, ends
    // through the normal shutdown and stores its keys where the next run reads them.
    void theRealProgramStartsAndEndsThroughTheNormalShutdown()
    {
        QTemporaryDir sandbox;
        const QDir root(sandbox.path());
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

KRVNM_REGISTER_TEST(StartupTest)
#include "StartupTest.moc"
