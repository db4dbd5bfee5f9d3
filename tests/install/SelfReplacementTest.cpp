#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

using Writes = QList<QPair<QString, QString>>;

class SelfReplacementTest : public InstallTest
{
    Q_OBJECT

private Q_SLOTS:
    void handsOverAndEnds_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::addColumn<int>("served"); // of the updater and the executable, in that order
        QTest::newRow("online") << false << 2;
        QTest::newRow("offline") << true << 2;
        QTest::newRow("executable missing") << false << 1;
        QTest::newRow("updater missing: no keys written") << false << 0;
    }
    void handsOverAndEnds()
    {
        QFETCH(bool, offline);
        QFETCH(int, served);
        f->platform.offline = offline;
        QVERIFY(writeFile(f->state.managerFile, "[krvnm]"));
        f->server.serveBytes("/files/updater.exe", served ? "updater" : "gone", served ? 200 : 404);
        if (served == 2)
            f->server.serveBytes("/files/krvnm.exe", "new manager");

        f->installer.installProduct(Installer::NewManager);

        QCOMPARE(f->fileRequests(), QStringList({"/files/updater.exe", "/files/krvnm.exe"}).mid(0, served ? 2 : 1));
        QVERIFY(!QFileInfo::exists(f->state.managerFile));
        QCOMPARE(readFile(f->state.updaterFile), served ? QByteArray("updater") : QByteArray());
        const auto sha256 = [](const QByteArray& bytes) { return QString::fromLatin1(InstallFixture::sha256(bytes)); };
        Writes handOver{{"SHA256_updater4.exe", sha256("updater")},
                        {"AppPath", f->state.appFolder},
                        {"AppExeName", "krvnm"},
                        {"msg1", "Please wait..."},
                        {"msg2", "Applying program update"},
                        {"msg3", "Cancel"}};
        if (served == 2)
            handOver.append({"SHA256_krvnm.exe.tmp", sha256("new manager")});
        QCOMPARE(f->settings.writes, served ? handOver : Writes{});
        QCOMPARE(f->reportSources(), QStringList{});
        QCOMPARE(readFile(f->state.workFolder + "krvnm.exe.tmp"), served == 2 ? "new manager" : QByteArray());
        QCOMPARE(f->view.closes, served == 2 ? 1 : 0);
        QCOMPARE(f->view.enables, (served == 2 ? QList<bool>{false} : QList<bool>{false, true}));
        QCOMPARE(f->platform.launches.size(), served == 2 ? 1 : 0);
        for (const FakePlatform::Launch& launch : f->platform.launches) // program, folder, then any arguments
            QCOMPARE(QStringList({launch.program, launch.workingFolder}) + launch.arguments,
                     (QStringList{f->state.updaterFile, f->state.appFolder.chopped(1)}));
    }
};

KRVNM_REGISTER_TEST(SelfReplacementTest)
#include "SelfReplacementTest.moc"
