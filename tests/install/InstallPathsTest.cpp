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
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("workFolder");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("localPath");
        QTest::newRow("nightly beside look-alike folders")
            << 2 << "r26400"
            << "http://h/korvane-mirror"
            << "/w/korvane-cache/"
            << "http://h/korvane-mirror/binaries/nightlies/trunk/r26400/korvane-trunk-r26400-windows-win32.zip"
            << "/w/korvane-cache/korvane-trunk-r26400-windows-win32.zip";
        QTest::newRow("version encoded as one segment")
            << 0 << "1.4 beta?x#y%"
            << "http://h"
            << "/w/"
            << "http://h/binaries/releases/1.4%20beta%3Fx%23y%25/korvane-1.4%20beta%3Fx%23y%25-windows-win32.zip"
            << "/w/korvane-1.4 beta?x#y%-windows-win32.zip";
        QTest::newRow("a step up is refused") << 1 << ".."
                                              << "http://h"
                                              << "/w/"
                                              << ""
                                              << "";
        QTest::newRow("folders in the version are refused") << 3 << "1/../../x"
                                                            << "http://h"
                                                            << "/w/"
                                                            << ""
                                                            << "";
        QTest::newRow("a drive in the version is refused") << 0 << "C:x"
                                                           << "http://h"
                                                           << "/w/"
                                                           << ""
                                                           << "";
    }
    void buildAddressAndFile()
    {
        QFETCH(int, product);
        QFETCH(QString, version);
        QFETCH(QString, server);
        QFETCH(QString, workFolder);
        QFETCH(QString, address);
        QFETCH(QString, localPath);
        AppState state;
        state.endpoints.buildServer = server;
        state.WorkFolder = workFolder;
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
