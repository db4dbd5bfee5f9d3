#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

using Writes = QList<QPair<QString, QString>>;

class SelfReplacementTest : public InstallTest
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        InstallTest::init();
        QVERIFY(writeFile(f->state.managerFile, "[krvnm]"));
        f->server.serveBytes("/files/updater.exe", "updater");
    }

    void handsOverAndEnds_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("managerServed");
        QTest::newRow("online") << false << true;
        QTest::newRow("offline") << true << true;
        QTest::newRow("executable missing") << false << false;
    }
    void handsOverAndEnds()
    {
        QFETCH(bool, offline);
        QFETCH(bool, managerServed);
        f->platform.offline = offline;
        if (managerServed)
            f->server.serveBytes("/files/krvnm.exe", "new manager");

        f->installer.installProduct(Installer::NewManager);

        QCOMPARE(f->fileRequests(), (QStringList{"/files/updater.exe", "/files/krvnm.exe"}));
        QVERIFY(!QFileInfo::exists(f->state.managerFile));
        QCOMPARE(readFile(f->state.updaterFile), QByteArray("updater"));
        const auto sha256 = [](const QByteArray& bytes) { return QString::fromLatin1(InstallFixture::sha256(bytes)); };
        Writes handOver{{"SHA256_updater4.exe", sha256("updater")},
                        {"AppPath", f->state.appFolder},
                        {"AppExeName", "krvnm"},
                        {"msg1", "Please wait..."},
                        {"msg2", "Applying program update"},
                        {"msg3", "Cancel"}};
        if (managerServed)
            handOver.append({"SHA256_krvnm.exe.tmp", sha256("new manager")});
        QCOMPARE(f->settings.writes, handOver);
        QCOMPARE(f->reportSources(), QStringList{});
        QCOMPARE(readFile(f->state.workFolder + "krvnm.exe.tmp"), managerServed ? "new manager" : QByteArray());
        QCOMPARE(f->view.closes, managerServed ? 1 : 0);
        QCOMPARE(f->view.enables, (managerServed ? QList<bool>{false} : QList<bool>{false, true}));
        QCOMPARE(f->platform.launches.size(), managerServed ? 1 : 0);
        for (const FakePlatform::Launch& launch : f->platform.launches) // program, folder, then any arguments
            QCOMPARE(QStringList({launch.program, launch.workingFolder}) + launch.arguments,
                     (QStringList{f->state.updaterFile, f->state.appFolder.chopped(1)}));
    }

    void failedUpdaterDownloadWritesNoKeys()
    {
        f->server.serveBytes("/files/updater.exe", "gone", 404);

        f->installer.installProduct(Installer::NewManager);

        QCOMPARE(f->fileRequests(), QStringList{"/files/updater.exe"});
        QCOMPARE(f->settings.writes, Writes{});
        QCOMPARE(f->view.closes, 0);
    }
};

KRVNM_REGISTER_TEST(SelfReplacementTest)
#include "SelfReplacementTest.moc"
