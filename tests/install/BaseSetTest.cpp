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
            QVERIFY(writeFile(folder + name, "x"));
        QCOMPARE(BaseSet::isPresent(folder), present);
    }

    // The download itself is the same as a build's; an archive this program downloaded
    // earlier is used again, and a damaged one is said so in the list only and deleted.
    // Without a game nothing is fetched or written.
    void installsFromTheWorkFolder_data()
    {
        QTest::addColumn<QByteArray>("damage"); // the bytes of a damaged archive; empty: a good one
        QTest::addColumn<bool>("game");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("archive") << QByteArray() << true << "Files extracted OK.";
        QTest::newRow("damaged archive") << QByteArray("no zip") << true << "Failed to unzip file, please try again.";
        QTest::newRow("no game") << QByteArray() << false << "Korvane path not specified.";
    }
    void installsFromTheWorkFolder()
    {
        QFETCH(QByteArray, damage);
        QFETCH(bool, game);
        QFETCH(QString, lastLine);
        f->state.baseSetFolder = game ? f->folder("game/baseset") : QString();
        const QString cached = f->state.workFolder + "baseset.zip";
        if (damage.isEmpty())
            QCOMPARE(pythonZip(cached, "for name in ('gm_tt00.gm', 'gm_tt21.gm', 'sample.cat'): add('base/' + name)"),
                     QString());
        else
            QVERIFY(writeFile(cached, damage));
        f->recordDownload("baseset.zip", readFile(cached));
        const QMap<QString, QByteArray> before = snapshot(f->temp.path());

        f->installer.installProduct(Installer::BaseSetFiles);

        QCOMPARE(f->fileRequests(), QStringList{});
        QCOMPARE(f->view.lines.last(), lastLine);
        QCOMPARE(f->dialogs.messages.size(), 0);
        QVERIFY2(!f->view.icons.join(" ").contains("installed"), "no status row changes");
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
        if (game) {
            QCOMPARE(snapshot(f->state.baseSetFolder).keys(),
                     (damage.isEmpty() ? QStringList{"gm_tt00.gm", "gm_tt21.gm", "sample.cat"} : QStringList{}));
            QCOMPARE(QFileInfo::exists(cached), damage.isEmpty());
        } else {
            QCOMPARE(snapshot(f->temp.path()), before);
            QCOMPARE(f->view.lines.size(), 1);
            QCOMPARE(f->view.label, QStringLiteral("Done."));
        }
    }
};

KRVNM_REGISTER_TEST(BaseSetTest)
#include "BaseSetTest.moc"
