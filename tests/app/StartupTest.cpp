#include "AppFixture.h"
#include "TestMain.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write("x");
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadCreatesWorkFolderFromNothing()
    {
        AppFixture app;
        QVERIFY(!QFileInfo::exists(app.platform.workFolderPath));
        frmMain& window = app.startWindow();
        QVERIFY(QFileInfo(app.platform.workFolderPath).isDir());
        QCOMPARE(app.state->WorkFolder, app.platform.workFolderPath);
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane Manager 1.0.4"));
        QCOMPARE(app.state->AppVersion, QStringLiteral("1.0.4"));
        QCOMPARE(app.state->VersionsFile, app.platform.workFolderPath + QStringLiteral("versions.tmp"));
        QCOMPARE(app.state->UpdaterFile, app.platform.workFolderPath + QStringLiteral("updater4.exe"));
        QVERIFY2(app.errors.reports.isEmpty(), "a clean start reports nothing");
        QVERIFY(app.dialogs.messages.isEmpty());
        QCOMPARE(app.state->str(44), QStringLiteral("Check for Updates"));
    }

    void unusableWorkFolderStillFinishesStartup()
    {
        AppFixture app;
        const QString blocker = app.temp.filePath(QStringLiteral("blocker"));
        Touch(blocker);
        app.platform.workFolderPath = blocker + QStringLiteral("/krvnm/");
        app.settings.values.insert(QStringLiteral("Platform"), QStringLiteral("WIN9X"));
        frmMain& window = app.startWindow();
        QCOMPARE(app.errors.reports.size(), 1);
        QCOMPARE(app.errors.reports.first().source, QStringLiteral("frmMain Load"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Korvane Manager 1.0.4"));
        QCOMPARE(app.state->PlatformIndex, 0); // later steps still ran
        QCOMPARE(app.state->str(5), QStringLiteral("Exit"));
    }

    void noWindowsFolderMeansNoWorkFolder()
    {
        AppFixture app;
        app.platform.workFolderPath.clear();
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(app.temp.path()));
        for (const char* name : {"versions.tmp", "krvnsupd.tmp", "download.part"})
            Touch(QLatin1String(name));
        frmMain& window = app.startWindow();
        QCOMPARE(app.errors.reports.size(), 1);
        QCOMPARE(app.errors.reports.first().source, QStringLiteral("frmMain Load"));
        QVERIFY(app.state->WorkFolder.isEmpty());
        QVERIFY(app.state->VersionsFile.isEmpty());
        window.show();
        QVERIFY(window.close());
        for (const char* name : {"versions.tmp", "krvnsupd.tmp", "download.part"})
            QVERIFY2(QFile::exists(QLatin1String(name)), name);
        QVERIFY(QDir::setCurrent(current));
    }

    void staleWorkFilesAreDeleted()
    {
        AppFixture app;
        QDir().mkpath(app.platform.workFolderPath);
        const QStringList stale = {QStringLiteral("versions.tmp"),  QStringLiteral("krvnsupd.tmp"),
                                   QStringLiteral("krvnnupd.tmp"),  QStringLiteral("krvnmngr.tmp"),
                                   QStringLiteral("updater4.exe"),  QStringLiteral("krvnm.exe.tmp"),
                                   QStringLiteral("build.zip.part")};
        const QStringList kept = {QStringLiteral("korvane-1.4.0-windows-win32.zip"), QStringLiteral("nlog.htm")};
        for (const QString& name : stale + kept)
            Touch(app.platform.workFolderPath + name);
        app.startWindow();
        for (const QString& name : stale)
            QVERIFY2(!QFileInfo::exists(app.platform.workFolderPath + name), qPrintable(name + " survived start-up"));
        for (const QString& name : kept)
            QVERIFY2(QFileInfo::exists(app.platform.workFolderPath + name), qPrintable(name + " was deleted"));
    }

    void appFolderEndsInOneSeparator_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder") << "/opt/krvnm/krvnm"
                                << "/opt/krvnm/";
        QTest::newRow("root of the drive") << "/krvnm"
                                           << "/";
    }

    void appFolderEndsInOneSeparator()
    {
        QFETCH(QString, program);
        QFETCH(QString, expected);
        AppFixture app;
        app.platform.applicationPath = program;
        app.startWindow();
        QCOMPARE(app.state->AppFolder, QDir::toNativeSeparators(expected));
    }

    void closeWithoutTransferAsksNothingAndStoresShutdownKeys()
    {
        AppFixture app;
        app.settings.values.insert(QStringLiteral("LatestVersionGot"), QStringLiteral("1.3.2"));
        frmMain& window = app.startWindow();
        app.state->LastSelfCheckDate = QStringLiteral("06/12/2026");
        QDir().mkpath(app.platform.workFolderPath);
        for (const char* name : {"krvnsupd.tmp", "krvnmngr.tmp", "ablog.htm", "versions.tmp"})
            Touch(app.platform.workFolderPath + QLatin1String(name));
        window.show();
        QVERIFY(window.close());
        QCOMPARE(app.platform.processEnds, 1);
        QVERIFY(app.dialogs.messages.isEmpty());
        QCOMPARE(app.settings.writes.size(), 3);
        QCOMPARE(app.settings.writes.at(0).first, QStringLiteral("WinTempPath"));
        QCOMPARE(app.settings.writes.at(0).second, app.platform.workFolderPath);
        QCOMPARE(app.settings.writes.at(1), qMakePair(QStringLiteral("LatestVersionGot"), QStringLiteral("1.3.2")));
        QCOMPARE(app.settings.writes.at(2),
                 qMakePair(QStringLiteral("LastSelfCheckDate"), QStringLiteral("06/12/2026")));
        for (const char* name : {"krvnsupd.tmp", "krvnmngr.tmp", "ablog.htm"})
            QVERIFY(!QFileInfo::exists(app.platform.workFolderPath + QLatin1String(name)));
        QVERIFY2(QFileInfo::exists(app.platform.workFolderPath + QStringLiteral("versions.tmp")),
                 "the release feed copy stays at shutdown");
    }

    void closeDuringTransferAsksAndNoKeepsTheWindow()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        window.show();
        app.transfer.executing = true;
        app.dialogs.answers.enqueue(Answer::No);
        window.findChild<QPushButton*>(QStringLiteral("cmdExit"))->click();
        QVERIFY(window.isVisible());
        QCOMPARE(app.platform.processEnds, 0);
        QVERIFY(app.settings.writes.isEmpty());
        QVERIFY(app.transfer.stillExecuting());
        QCOMPARE(app.dialogs.messages.size(), 1);
        const MessageRequest& question = app.dialogs.messages.first();
        QCOMPARE(question.text, QStringLiteral("KRVNM is currently downloading information from the Internet. "
                                               "Are you sure you want to exit?"));
        QCOMPARE(question.icon, MessageIcon::Exclamation);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.defaultButton, std::optional<Answer>(Answer::No));
        QCOMPARE(question.title, QStringLiteral("Korvane Manager"));

        app.dialogs.answers.enqueue(Answer::Yes);
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        QCOMPARE(app.settings.writes.size(), 3);
    }

    void shutdownIgnoresStoreFailures()
    {
        AppFixture app;
        frmMain& window = app.startWindow();
        app.settings.failingWrites.insert(QStringLiteral("WinTempPath"));
        window.show();
        QVERIFY(window.close());
        QCOMPARE(app.settings.writes.size(), 2);
        QCOMPARE(app.settings.writes.at(0).first, QStringLiteral("LatestVersionGot"));
        QVERIFY(app.errors.reports.isEmpty());
    }
};

KRVNM_REGISTER_TEST(StartupTest)
#include "StartupTest.moc"
