#include "sysinfo/WinVersion.h"
#include "TestMain.h"
#include "sysinfo/SystemApi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class WinVersionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void versionName_data()
    {
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("platformId");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("name");
        QTest::newRow("query fails") << false << 2 << 6 << 1 << 0 << "Unable to identify your version of Windows.";
        QTest::newRow("Win32s") << true << 0 << 3 << 10 << 0 << "Win32s on Windows 3.1";
        QTest::newRow("95") << true << 1 << 4 << 0 << 950 << "Windows 95";
        QTest::newRow("98 reports 10") << true << 1 << 4 << 10 << 1998 << "Windows 98";
        QTest::newRow("9x other minor") << true << 1 << 4 << 3 << 0 << "Windows 98";
        QTest::newRow("Me") << true << 1 << 4 << 90 << 3000 << "Windows Me";
        QTest::newRow("NT 3.51") << true << 2 << 3 << 51 << 1057 << "Windows NT 3.5";
        QTest::newRow("NT 4.0") << true << 2 << 4 << 0 << 1381 << "Windows NT 4.0";
        QTest::newRow("2000") << true << 2 << 5 << 0 << 2195 << "Windows 2000";
        QTest::newRow("XP") << true << 2 << 5 << 1 << 2600 << "Windows XP";
        QTest::newRow("Server 2003") << true << 2 << 5 << 2 << 3790 << "Windows Server 2003";
        QTest::newRow("NT 5.3") << true << 2 << 5 << 3 << 0 << "Windows NT";
        QTest::newRow("Vista") << true << 2 << 6 << 0 << 6000 << "Windows Vista";
        QTest::newRow("7") << true << 2 << 6 << 1 << 7601 << "Windows 7";
        QTest::newRow("8") << true << 2 << 6 << 2 << 9200 << "Windows 8";
        QTest::newRow("8.1") << true << 2 << 6 << 3 << 9600 << "Windows 8.1";
        QTest::newRow("NT 6.4") << true << 2 << 6 << 4 << 0 << "Windows NT";
        QTest::newRow("10") << true << 2 << 10 << 0 << 19045 << "Windows 10";
        QTest::newRow("last 10 build") << true << 2 << 10 << 0 << 21999 << "Windows 10";
        QTest::newRow("11") << true << 2 << 10 << 0 << 22000 << "Windows 11";
        QTest::newRow("11 24H2") << true << 2 << 10 << 0 << 26100 << "Windows 11";
        QTest::newRow("NT 10.1") << true << 2 << 10 << 1 << 30000 << "Windows NT";
        QTest::newRow("NT 12") << true << 2 << 12 << 0 << 0 << "Windows NT";
        QTest::newRow("other platform") << true << 3 << 5 << 0 << 0 << "";
    }

    void versionName()
    {
        QFETCH(bool, queried);
        QFETCH(int, platformId);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        QFETCH(QString, name);
        const sysapi::OsVersion v{queried, static_cast<unsigned long>(platformId), static_cast<unsigned long>(major),
                                  static_cast<unsigned long>(minor), static_cast<unsigned long>(build)};
        QCOMPARE(QString::fromStdString(GetWindowsVersionName(v)), name);
    }

    void fullWin32()
    {
        QVERIFY(!IsFullWin32({true, 0, 3, 10, 0}));
        QVERIFY(IsFullWin32({true, 1, 4, 10, 0}));
        QVERIFY(IsFullWin32({true, 2, 10, 0, 0}));
        QVERIFY(IsFullWin32({false, 0, 0, 0, 0})); // a failed query counts as full Win32
    }

    void thisSystem()
    {
        QVERIFY(!QString::fromStdString(sysapi::OsDisplayName()).isEmpty());
        QCOMPARE(sysapi::IsWindows64(), sizeof(void*) == 8 || sysapi::IsWow64());
        const QString work = QString::fromStdWString(sysapi::WorkFolder());
        QVERIFY2(work.endsWith(QLatin1String("krvnm/")) || work.endsWith(QLatin1String("krvnm\\")), qPrintable(work));
    }

    void wineDriveLetters()
    {
        QTemporaryDir prefix;
        QDir(prefix.path()).mkpath(QStringLiteral("drive_c"));
        QDir(prefix.path()).mkpath(QStringLiteral("dosdevices"));
        QFile::link(prefix.filePath(QStringLiteral("drive_c")), prefix.filePath(QStringLiteral("dosdevices/c:")));
        QFile::link(prefix.filePath(QStringLiteral("nowhere")), prefix.filePath(QStringLiteral("dosdevices/e:")));
        const QByteArray saved = qgetenv("WINEPREFIX");
        qputenv("WINEPREFIX", prefix.path().toUtf8());
        QCOMPARE(sysapi::QueryDriveType(L'C'), sysapi::DriveType::Fixed);
        QCOMPARE(sysapi::QueryDriveType(L'D'), sysapi::DriveType::NoRootDir);
        QCOMPARE(sysapi::QueryDriveType(L'E'), sysapi::DriveType::NoRootDir); // dangling link
        QCOMPARE(QString::fromStdWString(sysapi::DriveRoot(L'C')), prefix.filePath(QStringLiteral("dosdevices/c:/")));
        QCOMPARE(QString::fromStdWString(sysapi::LauncherFor(L"/games/korvane/KORVANE.EXE")), QStringLiteral("wine"));
        QCOMPARE(QString::fromStdWString(sysapi::LauncherFor(L"/usr/bin/true")), QString());
        if (saved.isNull())
            qunsetenv("WINEPREFIX");
        else
            qputenv("WINEPREFIX", saved);
    }
};

KRVNM_REGISTER_TEST(WinVersionTest)
#include "WinVersionTest.moc"
