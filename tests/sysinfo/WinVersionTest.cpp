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
    // The name of each version record, and whether it is full Win32 (only Win32s is not;
    // a failed query counts as full). The Windows stage reads 7, 8.1, 10 and Server 2003
    // from Wine's answers.
    void versionName_data()
    {
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("platformId");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("full");
        QTest::newRow("query fails") << false << 0 << 3 << 10 << 0 << "Unable to identify your version of Windows."
                                     << true;
        QTest::newRow("Win32s") << true << 0 << 3 << 10 << 0 << "Win32s on Windows 3.1" << false;
        QTest::newRow("95") << true << 1 << 4 << 0 << 950 << "Windows 95" << true;
        QTest::newRow("98 reports 10") << true << 1 << 4 << 10 << 1998 << "Windows 98" << true;
        QTest::newRow("9x other minor") << true << 1 << 4 << 3 << 0 << "Windows 98" << true;
        QTest::newRow("Me") << true << 1 << 4 << 90 << 3000 << "Windows Me" << true;
        QTest::newRow("NT 3.51") << true << 2 << 3 << 51 << 1057 << "Windows NT 3.5" << true;
        QTest::newRow("NT 4.0") << true << 2 << 4 << 0 << 1381 << "Windows NT 4.0" << true;
        QTest::newRow("2000") << true << 2 << 5 << 0 << 2195 << "Windows 2000" << true;
        QTest::newRow("XP") << true << 2 << 5 << 1 << 2600 << "Windows XP" << true;
        QTest::newRow("NT 5.3") << true << 2 << 5 << 3 << 0 << "Windows NT" << true;
        QTest::newRow("Vista") << true << 2 << 6 << 0 << 6000 << "Windows Vista" << true;
        QTest::newRow("8") << true << 2 << 6 << 2 << 9200 << "Windows 8" << true;
        QTest::newRow("NT 6.4") << true << 2 << 6 << 4 << 0 << "Windows NT" << true;
        QTest::newRow("last 10 build") << true << 2 << 10 << 0 << 21999 << "Windows 10" << true;
        QTest::newRow("11") << true << 2 << 10 << 0 << 22000 << "Windows 11" << true;
        QTest::newRow("NT 10.1") << true << 2 << 10 << 1 << 30000 << "Windows NT" << true;
        QTest::newRow("NT 12") << true << 2 << 12 << 0 << 0 << "Windows NT" << true;
        QTest::newRow("other platform") << true << 3 << 5 << 0 << 0 << "" << true;
    }

    void versionName()
    {
        QFETCH(bool, queried);
        QFETCH(int, platformId);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, build);
        QFETCH(QString, name);
        QFETCH(bool, full);
        const sysapi::OsVersion v{queried, static_cast<unsigned long>(platformId), static_cast<unsigned long>(major),
                                  static_cast<unsigned long>(minor), static_cast<unsigned long>(build)};
        QCOMPARE(QString::fromStdString(GetWindowsVersionName(v)), name);
        QCOMPARE(IsFullWin32(v), full);
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
