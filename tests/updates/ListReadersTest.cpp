#include "TestMain.h"
#include "updates/ListText.h"
#include "updates/ReleaseFeed.h"
#include "updates/ReleaseListing.h"

#include <QTest>

namespace {

QByteArray listingRow(const QByteArray& folder, const QByteArray& date = "2013-09-12 20:10  ")
{
    return "<tr><td><a href=\"" + folder + "/\">" + folder + "/</a></td><td align=\"right\">" + date +
           "</td><td>&nbsp;</td></tr>";
}

} // namespace

class ListReadersTest : public QObject
{
    Q_OBJECT

    static std::string_view view(const QByteArray& bytes) { return {bytes.constData(), size_t(bytes.size())}; }
    static QString Text(std::string_view bytes) { return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())); }
    static QString shown(const std::optional<FeedRelease>& release)
    {
        return release ? Text(release->version) + " " + Text(release->date) : "-";
    }
    static void row(const char* name, const QByteArray& text, const QStringList& expected)
    {
        QTest::newRow(name) << text << expected;
    }

private Q_SLOTS:
    void feed_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected"); // stable, beta, nightly: "version date" or "-"
        const QByteArray stable = "1.4.0\t2013-04-01\tstable\r\n";
        const QByteArray beta = "1.4.0-beta5\t2014-02-25\tbeta\r\n";
        const QStringList stableOnly{"1.4.0 2013-04-01", "-", "-"};
        row("RC, then beta", "1.4.0-RC1\t2014-03-01\trc\r\n" + beta, {"-", "1.4.0-RC1 2014-03-01", "-"});
        row("first stable wins", stable + "1.3.9\t2012-01-01\tstable\r\n", stableOnly);
        row("keywords anywhere, any case", "1.5.0\t2015-01-01\tSTABLE\r\nr1\t2015-01-02\tx\tNightlies\r\n",
            {"1.5.0 2015-01-01", "-", "r1 2015-01-02"});
        row("the date is field 2 whatever it holds", "1.4.0\tstable\r\n", {"1.4.0 stable", "-", "-"});
        row("LF only", "1.4.0\t2013-04-01\tstable\nr1\t2015\tnightlies\n", {"1.4.0 2013-04-01", "-", "r1 2015"});
        // The line-end conversion makes CR CR LF of the server's CR LF: still one line end.
        row("CR LF from the server, converted", "x\tnothing\r\r\ny\tnothing\r\r\n1.4.0\t2013-04-01\tstable\r\r\n",
            stableOnly);
        row("empty", {}, {"-", "-", "-"});
        // Names that could leave the work or the server's folder are no versions, but their lines still count.
        row("ignored lines still count", QByteArray("..\tstable\r\n").repeated(4) + stable, {"-", "-", "-"});
    }

    void feed()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        const ReleaseFeed feed = parseReleaseFeed(view(text));
        QCOMPARE((QStringList{shown(feed.stable), shown(feed.beta), shown(feed.nightly)}), expected);
    }

    void listing_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        const QByteArray head =
            "<table><tr><th>Name</th><th>Last modified</th></tr>"
            "<tr><td><a href=\"/binaries/\">Parent Directory</a></td><td>2012-01-01 10:00 </td></tr>";
        // One line of rows is what the catalogue's own test and the tour read.
        row("one row per line", head + "\n" + listingRow("1.3.3") + "\n" + listingRow("1.3.2") + "\n", {});
        row("two rows per line", listingRow("1.3.3") + listingRow("1.3.2") + "\n" + listingRow("1.3.1") + "\n",
            {"1.3.3 2013-09-12", "1.3.2 2013-09-12"});
        row("the piece before the first row",
            "<td><a href=\"1.0.0/\">x</a> 2010-01-01 1</td>" + listingRow("1.3.3") + listingRow("1.3.2"),
            {"1.0.0 2010-01-01", "1.3.3 2013-09-12", "1.3.2 2013-09-12"});
        row("upper-case cells count", "<tr><TD>\"1.2.0/\" 2012-01-01 x<tr><TH>\"1.1.0/\" 2011 x", {"1.2.0 2012-01-01"});
        row("skipped: latest stable and beta, old, no dot",
            listingRow("1.4.0") + listingRow("1.4.0-beta5") + listingRow("0.3.2.1") + listingRow("0.1.1") +
                listingRow("trunk") + listingRow("1.3.3"),
            {"1.3.3 2013-09-12"});
        // Rows are found ignoring case but counted and cut only where "<tr>" is in lower case.
        row("upper-case rows only", "<TR><td>\"1.2.0/\" 2012-01-01 x<TR><td>\"1.1.0/\" 2011-01-01 x", {});
        row("skipped: no blank after the date", listingRow("1.3.3", "2013-09-12") + listingRow("1.3.2"),
            {"1.3.2 2013-09-12"});
        row("skipped: no 20 after the folder", "<tr><td>\"1.2.0/\" 19-1-1 x</td><tr><td>\"1.1.0/\" 2011-1-1 x</td>",
            {"1.1.0 2011-1-1"});
        row("skipped: no quote, no slash", "<tr><td>1.2.0/ 2012 <tr><td>\"1.2.0 2012 x", {});
        row("skipped: folders that are no plain names",
            listingRow("..") + listingRow("a.b\\..\\c") + listingRow("c:.x") + listingRow("1.3.3"),
            {"1.3.3 2013-09-12"});
        // Far beyond the 16-bit positions of old.
        row("a piece of 100000 characters",
            "<tr><td>" + QByteArray(100000, 'x') + "\"1.2.0/\" 2012-05-05 x" + listingRow("1.1.0"),
            {"1.2.0 2012-05-05", "1.1.0 2013-09-12"});
    }

    void listing()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        ReleaseListing listing(view(text), "1.4.0", "1.4.0-beta5");
        QStringList found;
        while (const std::optional<ListedRelease> release = listing.next())
            found.append(Text(release->version) + " " + Text(release->date));
        QCOMPARE(found, expected);
    }

    void plainNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("release") << QByteArray("1.4.0") << true;
        QTest::newRow("beta") << QByteArray("1.4.0-beta5") << true;
        QTest::newRow("revision") << QByteArray("r26400") << true;
        QTest::newRow("blank inside") << QByteArray(" 1.4 ") << true;
        QTest::newRow("64 characters") << QByteArray(64, '1') << true;
        QTest::newRow("64 characters of two bytes") << QByteArray("\xC3\xA9").repeated(64) << true;
        QTest::newRow("65 characters") << QByteArray(65, '1') << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("blanks") << QByteArray("   ") << false;
        QTest::newRow("slash") << QByteArray("1.4/..") << false;
        QTest::newRow("backslash") << QByteArray("a\\b") << false;
        QTest::newRow("colon") << QByteArray("C:x") << false;
        QTest::newRow("two dots") << QByteArray("1..4") << false;
        QTest::newRow("tab") << QByteArray("1.4\t") << false;
        QTest::newRow("NUL") << QByteArray("1.4\0x", 5) << false;
        QTest::newRow("DEL") << QByteArray("1.4\x7F") << false;
        QTest::newRow("C1 control") << QByteArray("1.4\xC2\x85") << false;
    }

    void plainNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, plain);
        QCOMPARE(isPlainName(view(name)), plain);
    }
};

KRVNM_REGISTER_TEST(ListReadersTest)
#include "ListReadersTest.moc"
