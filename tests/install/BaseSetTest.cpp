#include "install/BaseSet.h"
#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QTest>

class BaseSetTest : public InstallTest
{
    Q_OBJECT

private Q_SLOTS:
    void completeSets_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("present");
        const auto& sets = BaseSet::fileSets();
        QTest::newRow("set A") << sets.at(0) << true;
        QTest::newRow("set A without gm_tt21.gm") << QStringList{"gm_tt00.gm", "sample.cat"} << false;
        QTest::newRow("set B") << sets.at(1) << true;
        QTest::newRow("four of B with all of C") << sets.at(1).mid(1) + sets.at(2) << true;
        QTest::newRow("four of each") << sets.at(0).mid(1) + sets.at(1).mid(1) + sets.at(2).mid(1) << false;
        QTest::newRow("empty folder") << QStringList{} << false;
    }
    void completeSets()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, present);
        const QString folder = f->folder("game/baseset");
        for (const QString& name : files)
            QVERIFY(WriteFile(folder + name, "x"));
        QCOMPARE(BaseSet::isPresent(folder), present);
    }

    // The download itself is the same as a build's; an archive already in the work folder
    // is used as is, and a damaged one is said so in the list only and deleted.
    void installsFromTheWorkFolder_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("archive") << false;
        QTest::newRow("damaged archive") << true;
    }
    void installsFromTheWorkFolder()
    {
        QFETCH(bool, damaged);
        f->state.baseSetFolder = f->folder("game/baseset");
        QVERIFY(WriteFile(f->state.workFolder + "baseset.zip", damaged ? "no zip" : f->baseSetArchive()));

        f->installer.installProduct(Installer::BaseSetFiles);

        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(BaseSet::isPresent(f->state.baseSetFolder), !damaged);
        QCOMPARE(QFileInfo::exists(f->state.workFolder + "baseset.zip"), !damaged);
        QCOMPARE(f->view.lines.last(),
                 QLatin1String(damaged ? "Failed to unzip file, please try again." : "Files extracted OK."));
        QCOMPARE(f->dialogs.messages.size(), 0);
        QVERIFY2(!f->view.icons.join(" ").contains("installed"), "no status row changes");
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
    }

    void withoutAGameNothingIsWritten()
    {
        f->state.baseSetFolder.clear();
        f->server.serveBytes("/files/krvnm_baseset.zip", f->baseSetArchive());
        const QMap<QString, QByteArray> before = snapshot(f->temp.path());

        f->installer.installProduct(Installer::BaseSetFiles);

        QCOMPARE(f->requestPaths(), QStringList{});
        QCOMPARE(snapshot(f->temp.path()), before);
        QCOMPARE(f->view.lines, QStringList{"Korvane path not specified."});
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
        QCOMPARE(f->view.label, QStringLiteral("Done."));
    }
};

KRVNM_REGISTER_TEST(BaseSetTest)
#include "BaseSetTest.moc"
