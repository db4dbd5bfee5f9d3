#include "TestMain.h"
#include "UpdatesFixture.h"
#include "updates/CheckDate.h"

#include <QTest>

#include <memory>

namespace {

const QByteArray Stable = "1.4.0\t2013-04-01\tstable\n";
const QByteArray Beta = "1.4.0-beta5\t2014-02-25\tbeta\n";
const QByteArray Nightly = "r26400\t2014-03-12\tnightlies\n";

// An HTML listing of releases 1.3.0 to 1.3.(count-1), newest first, on one line.
QByteArray listing(int count)
{
    QByteArray text = "<html><body><table><tr><th>Name</th><th>Last modified</th></tr>";
    text += "<tr><td><a href=\"/binaries/\">Parent Directory</a></td><td>&nbsp;</td></tr>";
    for (int i = count - 1; i >= 0; --i)
        text += "<tr><td><a href=\"1.3." + QByteArray::number(i) + "/\">1.3." + QByteArray::number(i) +
                "/</a></td><td>2013-01-" + QByteArray::number(10 + i % 20) + " 12:00  </td></tr>";
    return text + "</table></body></html>\n";
}

QList<ReleaseRecord> releases(int count, int first = 0)
{
    QList<ReleaseRecord> records;
    for (int i = first + count - 1; i >= first; --i)
        records.append({QStringLiteral("1.3.%1").arg(i), QStringLiteral("2013-01-%1").arg(10 + i % 20)});
    return records;
}

using Settings = QHash<QString, QString>;

} // namespace

class ReleaseCatalogueTest : public QObject
{
    Q_OBJECT

    TestHttpServer server;
    std::unique_ptr<UpdatesFixture> f;

    void check(const QByteArray& feed, const QByteArray& listing, int feedStatus = 200, int listingStatus = 200)
    {
        server.serveBytes("/versions.txt", feed, feedStatus, "text/plain");
        server.serveBytes("/binaries/releases/", listing, listingStatus, "text/html");
        f->catalogue.checkForUpdates();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(server.start()); }

    void init() { f = std::make_unique<UpdatesFixture>(server); }

    void marksTheFirstChangedChannel_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<Settings>("stored");
        QTest::addColumn<int>("markedRow");
        QTest::addColumn<QStringList>("latest"); // stable, beta, nightly afterwards
        QTest::addColumn<Settings>("storedAfter");

        const Settings current{{"LatestStable", "1.4.0"},     {"LatestStableDate", "2013-04-01"},
                               {"LatestBeta", "1.4.0-beta5"}, {"LatestBetaDate", "2014-02-25"},
                               {"LatestNightly", "r26400"},   {"LatestNightlyDate", "2014-03-12"}};
        const auto row = [&](const char* name, const QByteArray& feed, const Settings& stored, int markedRow,
                             const QStringList& latest, const Settings& changes = {}) {
            Settings after = current;
            after.insert(changes);
            after.insert("LastCheckDate", checkDate(TestDay));
            QTest::newRow(name) << feed << stored << markedRow << latest << after;
        };
        const QStringList usual{"1.4.0", "1.4.0-beta5", "r26400"};
        row("nothing changed", Stable + Beta + Nightly, current, -1, usual);
        row("first check on an empty store", Stable + Beta + Nightly, {}, -1, usual);
        row("beta, then RC", Stable + Beta + "1.4.0-RC1\t2014-03-01\tRC\n" + Nightly, current, 1,
            {"1.4.0", "1.4.0-RC1", "r26400"}, {{"LatestBeta", "1.4.0-RC1"}, {"LatestBetaDate", "2014-03-01"}});
        row("only the first changed channel", "1.5.0\t2015-01-01\tstable\n" + Beta + "r27000\t2015-01-02\tnightlies\n",
            current, 0, {"1.5.0", "1.4.0-beta5", "r27000"},
            {{"LatestStable", "1.5.0"},
             {"LatestStableDate", "2015-01-01"},
             {"LatestNightly", "r27000"},
             {"LatestNightlyDate", "2015-01-02"}});
        // A channel the feed lacks is not found: neither marked nor offered, its stored values kept.
        row("an HTML page served as the feed", "<html><body>Service moved</body></html>\n", current, -1, {"", "", ""});
    }

    void marksTheFirstChangedChannel()
    {
        QFETCH(QByteArray, feed);
        QFETCH(Settings, stored);
        QFETCH(int, markedRow);
        QFETCH(QStringList, latest);
        QFETCH(Settings, storedAfter);
        f->settings.values = stored;

        check(feed, listing(3));

        const QString mark = QStringLiteral("%1 exclamation New version!").arg(markedRow);
        QCOMPARE(f->view.icons, markedRow < 0 ? QStringList() : QStringList{mark});
        QCOMPARE(f->view.selectedRows, markedRow < 0 ? QList<int>() : QList<int>{markedRow});
        QCOMPARE((QStringList{f->state.latestStable, f->state.latestBeta, f->state.latestNightly}), latest);
        QCOMPARE(f->settings.values, storedAfter);
        // Each channel found is captioned, dated and offered.
        const QStringList channels{"LatestStable", "LatestBeta", "LatestNightly"};
        QMap<int, QString> dates;
        for (const int row : {0, 1, 2})
            if (!latest.at(row).isEmpty())
                dates.insert(row, "Date: " + storedAfter.value(channels.at(row) + "Date"));
        QCOMPARE(f->view.dates.values(), dates.values());
        QCOMPARE(f->view.dates.keys(), dates.keys());
        QCOMPARE(f->view.captions.keys(), dates.keys());
        QCOMPARE(f->view.enabledRows, dates.keys());
        QCOMPARE(f->view.enables, QList<bool>({false, true}));
        QCOMPARE(f->view.clears, 1);
        QVERIFY(f->view.installImage);
        QVERIFY(f->state.catalogueLoaded);
        QVERIFY(f->errors.reports.isEmpty());
    }

    void olderReleases_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<int>("listingStatus");
        QTest::addColumn<QList<ReleaseRecord>>("before");
        QTest::addColumn<QList<ReleaseRecord>>("after");
        QTest::addColumn<bool>("filled");

        const QList<ReleaseRecord> none{ReleaseRecord{}};
        QTest::newRow("eleven releases") << listing(11) << 200 << none << releases(11) << true;
        QTest::newRow("ten releases") << listing(10) << 200 << none << none << false;
        QTest::newRow("listing not found") << listing(12) << 404 << none << none << false;
        // The list keeps its items then, so its records must stay the ones it shows.
        QTest::newRow("ten releases after a filled list")
            << listing(10) << 200 << releases(12, 5) << releases(12, 5) << false;
        QTest::newRow("a new list replaces a filled one")
            << listing(11) << 200 << releases(12, 5) << releases(11) << true;
    }

    void olderReleases()
    {
        QFETCH(QByteArray, listing);
        QFETCH(int, listingStatus);
        QFETCH(QList<ReleaseRecord>, before);
        QFETCH(QList<ReleaseRecord>, after);
        QFETCH(bool, filled);
        f->state.olderReleases = before;

        check(Stable + Beta + Nightly, listing, 200, listingStatus);

        const auto items = [](const QList<ReleaseRecord>& records) {
            QStringList items;
            for (const ReleaseRecord& record : records)
                items.append(record.version + " (" + record.date + ")");
            return items;
        };
        QCOMPARE(items(f->state.olderReleases), items(after));
        QCOMPARE(f->view.restoreFills, filled ? QList<QStringList>{items(after)} : QList<QStringList>());
        QCOMPARE(f->view.enabledRows.contains(3), filled);
        QCOMPARE(f->state.olderReleasesListed(), after.size() > 10);
        QVERIFY(f->state.catalogueLoaded);
    }

    void feedNotObtained()
    {
        f->state.latestStable = "1.4.0";
        f->state.latestStableDate = "2013-04-01";
        f->state.lastCheckDate = "earlier";
        check("<html><body><h1>404 Not Found</h1></body></html>\n", listing(11), 404);

        QVERIFY(!f->state.catalogueLoaded);
        QVERIFY(!f->view.installImage);
        QCOMPARE(f->view.buttonCaption, "Check for Updates");
        QCOMPARE(f->view.lines.last(), "Failed to download updates list.");
        QVERIFY(f->view.captions.isEmpty());
        QVERIFY(f->view.icons.isEmpty());
        QCOMPARE(f->settings.writes,
                 (QList<QPair<QString, QString>>{
                     {"LatestStable", "1.4.0"}, {"LatestStableDate", "2013-04-01"}, {"LastCheckDate", "earlier"}}));
        QVERIFY(f->errors.reports.isEmpty());
    }

    void offlineChecksNothing()
    {
        f->platform.offline = true;
        const qsizetype requests = server.requests().size();
        f->catalogue.checkForUpdates();

        QCOMPARE(server.requests().size(), requests);
        QCOMPARE(f->view.lines, QStringList({"Failed to connect to server."}));
        QCOMPARE(f->view.label, "Failed to install new product version.");
        QCOMPARE(f->view.enables, QList<bool>{true});
        QVERIFY(f->view.buttonCaption.isEmpty());
        QVERIFY(f->settings.writes.isEmpty());
    }

    void aFailingStepIsReportedOnceAtTheEnd()
    {
        f->settings.failingWrites = {"LatestStable", "LastCheckDate"};
        check(Stable + Beta + Nightly, listing(11));

        QCOMPARE(f->errors.reports.size(), 1);
        QCOMPARE(f->errors.reports.first().source, "CheckKRVNUpdates");
        QCOMPARE(f->errors.reports.first().description, "write failure injected for LatestStable");
        QVERIFY(f->settings.values.contains("LatestNightly"));
        QCOMPARE(f->view.buttonCaption, "Install Now");
    }

    void changeLogAddress_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("restoreIndex");
        QTest::addColumn<QString>("beta");
        QTest::addColumn<QString>("expected");
        const QString beta = "1.4.0-beta5";
        // The stable row's link is followed through the window (MainWindowTest::checkForUpdatesOffersWhatTheFeedFound).
        QTest::newRow("stable without a version") << 0 << -1 << beta << "";
        QTest::newRow("beta") << 1 << -1 << beta << "/binaries/releases/1.4.0-beta5/changelog.txt";
        QTest::newRow("nightly") << 2 << -1 << beta << "/binaries/nightlies/trunk/r26400/changelog.txt";
        QTest::newRow("older release") << 3 << 1 << beta << "/binaries/releases/1.3.0/changelog.txt";
        QTest::newRow("no older release selected") << 3 << -1 << beta << "";
        QTest::newRow("selection beyond the records") << 3 << 3 << beta << "";
        QTest::newRow("no such row") << 4 << 0 << beta << "";
        QTest::newRow("version naming other folders") << 1 << -1 << "1.4/../x?y#z"
                                                      << "/binaries/releases/1.4%2F..%2Fx%3Fy%23z/changelog.txt";
        QTest::newRow("version ..") << 1 << -1 << QString("..") << QString();
    }

    void changeLogAddress()
    {
        QFETCH(int, index);
        QFETCH(int, restoreIndex);
        QFETCH(QString, beta);
        QFETCH(QString, expected);
        AppState state;
        state.endpoints.buildServer = "http://builds.test";
        state.latestBeta = beta;
        state.latestNightly = "r26400";
        state.olderReleases = releases(2) << ReleaseRecord{};
        QCOMPARE(ReleaseCatalogue::changeLogAddress(state, index, restoreIndex),
                 expected.isEmpty() ? QString() : "http://builds.test" + expected);
    }
};

KRVNM_REGISTER_TEST(ReleaseCatalogueTest)
#include "ReleaseCatalogueTest.moc"
