#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "install/ArchiveSource.h"
#include "install/InstallFolder.h"

#include <QTest>

class InstallPathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildAddressAndFile_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("platform");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("workFolder");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("localPath");
        const auto row = [](const char* name, int product, int platform, const QString& version, const QString& server,
                            const QString& work, const QString& address, const QString& local) {
            QTest::newRow(name) << product << platform << version << server << work << address << local;
        };
        row("nightly beside look-alike folders", 2, 1, "r26400", "http://h/korvane-mirror", "/w/korvane-cache/",
            "http://h/korvane-mirror/binaries/nightlies/trunk/r26400/korvane-trunk-r26400-windows-win32.zip",
            "/w/korvane-cache/korvane-trunk-r26400-windows-win32.zip");
        row("version encoded as one segment", 0, 1, "1.4 beta?x#y%", "http://h", "/w/",
            "http://h/binaries/releases/1.4%20beta%3Fx%23y%25/korvane-1.4%20beta%3Fx%23y%25-windows-win32.zip",
            "/w/korvane-1.4 beta?x#y%-windows-win32.zip");
        row("Win9x", 0, 0, "1.4.0", "http://h", "/w/",
            "http://h/binaries/releases/1.4.0/korvane-1.4.0-windows-win9x.zip", "/w/korvane-1.4.0-windows-win9x.zip");
        row("Win64", 1, 2, "1.5.0", "http://h", "/w/",
            "http://h/binaries/releases/1.5.0/korvane-1.5.0-windows-win64.zip", "/w/korvane-1.5.0-windows-win64.zip");
        row("unknown platform is Win64", 3, 7, "1.3.3", "http://h", "/w/",
            "http://h/binaries/releases/1.3.3/korvane-1.3.3-windows-win64.zip", "/w/korvane-1.3.3-windows-win64.zip");
        row("a step up is refused", 1, 1, "..", "http://h", "/w/", "", "");
        row("folders in the version are refused", 3, 1, "1/../../x", "http://h", "/w/", "", "");
        row("a drive in the version is refused", 0, 1, "C:x", "http://h", "/w/", "", "");
    }
    void buildAddressAndFile()
    {
        QFETCH(int, product);
        QFETCH(int, platform);
        QFETCH(QString, version);
        QFETCH(QString, server);
        QFETCH(QString, workFolder);
        QFETCH(QString, address);
        QFETCH(QString, localPath);
        AppState state;
        state.endpoints.buildServer = server;
        state.WorkFolder = workFolder;
        state.PlatformIndex = platform;
        const ArchiveSource source = ArchiveSource::ForBuild(state, static_cast<std::uint8_t>(product), version);
        QCOMPARE(source.address, address);
        QCOMPARE(source.localPath, localPath);
        QCOMPARE(source.refused(), address.isEmpty());
    }

    void rootFolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("root");
        QTest::newRow("file-system root") << "/" << true;
        QTest::newRow("a drive letter's folder") << "/prefix/drive_d/" << true;
        QTest::newRow("the same, written differently") << "/prefix/./drive_d" << true;
        QTest::newRow("a folder on the drive") << "/prefix/drive_d/games/" << false;
        QTest::newRow("three characters, no root") << "/a/" << false;
        QTest::newRow("nothing") << "" << false;
    }
    void rootFolders()
    {
        QFETCH(QString, folder);
        QFETCH(bool, root);
        FakePlatform platform;
        platform.driveRoots['D'] = "/prefix/drive_d/";
        QCOMPARE(InstallFolder::IsRoot(folder, platform), root);
    }
};

KRVNM_REGISTER_TEST(InstallPathsTest)
#include "InstallPathsTest.moc"
