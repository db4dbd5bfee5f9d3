#include "sysinfo/SystemPlatform.h"
#include "TestMain.h"
#include "sysinfo/LocaleApi.h"
#include "sysinfo/WinVersion.h"
#include "sysinfo/WindowsLocales.h"

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

    // The name of each version record, and whether it is full Win32 (only Win32s is not;
    // a failed query counts as full). The Windows stage reads 7, 8.1, 10 and Server 2003
    // from Wine's answers.
    void versionName_data()
    {
        QTest::addColumn<QList<unsigned long>>("record"); // queried, platform, major, minor, build
        QTest::addColumn<QString>("name");
        QTest::newRow("query fails") << QList<unsigned long>{0, 0, 3, 10, 0}
                                     << "Unable to identify your version of Windows.";
        QTest::newRow("Win32s") << QList<unsigned long>{1, 0, 3, 10, 0} << "Win32s on Windows 3.1";
        QTest::newRow("95") << QList<unsigned long>{1, 1, 4, 0, 950} << "Windows 95";
        QTest::newRow("98 reports 10") << QList<unsigned long>{1, 1, 4, 10, 1998} << "Windows 98";
        QTest::newRow("9x other minor") << QList<unsigned long>{1, 1, 4, 3, 0} << "Windows 98";
        QTest::newRow("Me") << QList<unsigned long>{1, 1, 4, 90, 3000} << "Windows Me";
        QTest::newRow("NT 3.51") << QList<unsigned long>{1, 2, 3, 51, 1057} << "Windows NT 3.5";
        QTest::newRow("NT 4.0") << QList<unsigned long>{1, 2, 4, 0, 1381} << "Windows NT 4.0";
        QTest::newRow("2000") << QList<unsigned long>{1, 2, 5, 0, 2195} << "Windows 2000";
        QTest::newRow("XP") << QList<unsigned long>{1, 2, 5, 1, 2600} << "Windows XP";
        QTest::newRow("NT 5.3") << QList<unsigned long>{1, 2, 5, 3, 0} << "Windows NT";
        QTest::newRow("Vista") << QList<unsigned long>{1, 2, 6, 0, 6000} << "Windows Vista";
        QTest::newRow("8") << QList<unsigned long>{1, 2, 6, 2, 9200} << "Windows 8";
        QTest::newRow("NT 6.4") << QList<unsigned long>{1, 2, 6, 4, 0} << "Windows NT";
        QTest::newRow("last 10 build") << QList<unsigned long>{1, 2, 10, 0, 21999} << "Windows 10";
        QTest::newRow("11") << QList<unsigned long>{1, 2, 10, 0, 22000} << "Windows 11";
        QTest::newRow("NT 10.1") << QList<unsigned long>{1, 2, 10, 1, 30000} << "Windows NT";
        QTest::newRow("NT 12") << QList<unsigned long>{1, 2, 12, 0, 0} << "Windows NT";
        QTest::newRow("other platform") << QList<unsigned long>{1, 3, 5, 0, 0} << "";
    }

    void versionName()
    {
        QFETCH(QList<unsigned long>, record);
        QFETCH(QString, name);
        const sysapi::OsVersion v{record[0] != 0, record[1], record[2], record[3], record[4]};
        QCOMPARE(QString::fromStdString(getWindowsVersionName(v)), name);
        QCOMPARE(isFullWin32(v), name != "Win32s on Windows 3.1");
    }

    // Elsewhere than on Windows a Windows program (the game) runs through Wine.
    void exeRunsThroughWine()
    {
        QCOMPARE(QString::fromStdWString(sysapi::launcherFor(L"/games/korvane/KORVANE.EXE")), QStringLiteral("wine"));
        QCOMPARE(QString::fromStdWString(sysapi::launcherFor(L"/usr/bin/true")), QString());
    }

    // The locale answers where there is no Windows locale database: Qt's locales described
    // the way Windows describes them (the Windows stage checks the tables against Windows).
    void localeTexts_data()
    {
        QTest::addColumn<quint32>("localeId");
        QTest::addColumn<QString>("texts"); // language | code page | supported | display name
        QTest::newRow("Korean") << 0x0412u << "Korean|949|1|Korean (Korea)";
        QTest::newRow("Chinese, simplified script") << 0x0804u << "Chinese|936|1|Chinese (Simplified, China)";
        QTest::newRow("Chinese, traditional script") << 0x0404u << "Chinese|950|1|Chinese (Traditional, Taiwan)";
        QTest::newRow("Estonian") << 0x0425u << "Estonian|1257|1|Estonian (Estonia)";
        QTest::newRow("a locale not described") << 0x0401u << "||0|";
#ifndef Q_OS_WIN
        // The tests run under LC_ALL=C.UTF-8, a locale that names no language.
        QTest::newRow("user default in the C locale") << 0x400u << "English|1252|1|";
#endif
    }

    void localeTexts()
    {
        QFETCH(quint32, localeId);
        QFETCH(QString, texts);
        const QStringList got{QString::fromStdWString(sysapi::localeInfo(localeId, sysapi::LocaleEnglishLanguageName)),
                              QString::fromStdWString(sysapi::localeInfo(localeId, sysapi::LocaleDefaultAnsiCodePage)),
                              QString::number(sysapi::isLocaleSupported(localeId)),
                              QString::fromStdWString(sysapi::languageName(localeId).c_str())};
        QCOMPARE(got.join(u'|'), texts);
    }

    void codePageOfALocale_data()
    {
        QTest::addColumn<QString>("locale"); // language-script-territory
        QTest::addColumn<uint>("codePage");
        QTest::newRow("by territory") << "zh--TW" << 950u;
        QTest::newRow("by script") << "zh-Hant-HK" << 950u;
        QTest::newRow("language alone") << "zh-Hans-CN" << 936u;
        QTest::newRow("Cyrillic Serbian") << "sr-Cyrl-RS" << 1251u;
        QTest::newRow("Latin Serbian") << "sr-Latn-RS" << 1250u;
        QTest::newRow("Unicode only") << "hi-Deva-IN" << 0u;
        QTest::newRow("unknown") << "xx--" << 0u;
    }

    void codePageOfALocale()
    {
        QFETCH(QString, locale);
        QFETCH(uint, codePage);
        const QStringList parts = locale.split(u'-');
        QCOMPARE(sysapi::defaultAnsiCodePage(parts[0].toStdString(), parts[1].toStdString(), parts[2].toStdString()),
                 codePage);
    }
};

KRVNM_REGISTER_TEST(SystemPlatformTest)
#include "SystemPlatformTest.moc"
