#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "install/ArchiveSource.h"
#include "install/InstallFolder.h"

#include <QTest>
#include <QUrl>

class InstallPathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The server and work folder look like parts of the address, so an edit that hits them
    // shows. The address is what follows the server's "/binaries/"; the file its last segment.
    void buildAddressAndFile_data()
    {
        QTest::addColumn<int>("product");
        QTest::addColumn<int>("platform");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("address");
        const auto row = [](const char* name, int product, int platform, const QString& version,
                            const QString& address) {
            QTest::newRow(name) << product << platform << version << address;
        };
        row("version encoded as one segment", 0, 1, "1.4 beta?x#y%",
            "releases/1.4%20beta%3Fx%23y%25/korvane-1.4%20beta%3Fx%23y%25-windows-win32.zip");
        row("Win9x", 0, 0, "1.4.0", "releases/1.4.0/korvane-1.4.0-windows-win9x.zip");
        row("unknown platform is Win64", 3, 7, "1.3.3", "releases/1.3.3/korvane-1.3.3-windows-win64.zip");
        row("a step up is refused", 1, 1, "..", "");
        row("folders in the version are refused", 3, 1, "1/../../x", "");
        row("a drive in the version is refused", 0, 1, "C:x", "");
    }
    void buildAddressAndFile()
    {
        QFETCH(int, product);
        QFETCH(int, platform);
        QFETCH(QString, version);
        QFETCH(QString, address);
        AppState state;
        state.endpoints.buildServer = "http://h/korvane-mirror";
        state.workFolder = "/w/korvane-cache/";
        state.platformIndex = platform;
        const ArchiveSource source = ArchiveSource::forBuild(state, static_cast<std::uint8_t>(product), version);
        const QString file = QUrl::fromPercentEncoding(address.section('/', -1).toUtf8());
        QCOMPARE(source.address, address.isEmpty() ? address : "http://h/korvane-mirror/binaries/" + address);
        QCOMPARE(source.localPath, address.isEmpty() ? address : "/w/korvane-cache/" + file);
    }

    void rootFolders()
    {
        FakePlatform platform;
        platform.driveRoots['D'] = "/prefix/drive_d/";
        QVERIFY(InstallFolder::isRoot("/", platform));
        QVERIFY2(!InstallFolder::isRoot("/a/", platform), "three characters are no root");
    }
};

KRVNM_REGISTER_TEST(InstallPathsTest)
#include "InstallPathsTest.moc"
