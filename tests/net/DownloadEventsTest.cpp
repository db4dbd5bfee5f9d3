#include "FakeTransfer.h"
#include "NetTestSupport.h"
#include "TestMain.h"

#include <QFileInfo>

#include <optional>
#include <utility>

using namespace English;

namespace {

// A component that answers at once with a 200 response whose Content-Length and body the
// test sets, and reports it complete whatever the length says.
class CannedTransfer : public FakeTransfer
{
public:
    void execute(const QString&) override { unread = body; }
    QString header(const QString& name) const override { return name == "Content-Length" ? length : QString(); }
    // The bodies here are shorter than one read of the engine.
    QByteArray readChunk(qint64) override { return std::exchange(unread, {}); }
    QString responseInfo() const override { return info; }
    bool headersReceived() const override { return true; }
    int statusCode() const override { return 200; }
    bool completed() const override { return true; }

    QString info, length;
    QByteArray body, unread;
};

} // namespace

class DownloadEventsTest : public QObject, public NetFixture
{
    Q_OBJECT

    std::optional<EngineRig<CannedTransfer>> rig;

private Q_SLOTS:
    void init() { rig.emplace(*this); }

    void stateChanged_data()
    {
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("receiving after another line")
            << QList<int>{7, 5, 7} << "" << QStringList{Receiving, Sending, Receiving};
        // The component's text is logged like any other line: only from four characters on.
        QTest::newRow("error, three after trimming") << QList<int>{11} << "   abc \t" << QStringList{ConnectError};
        QTest::newRow("error, four characters") << QList<int>{11} << "abcd" << QStringList{ConnectError, "abcd"};
        QTest::newRow("error, kept with its blanks")
            << QList<int>{11} << "  Done.  " << QStringList{ConnectError, "  Done.  "};
        QTest::newRow("states without a line") << QList<int>{2, 4, 6, 8, 9, 10, 12, 0, 42} << "" << QStringList{};
    }

    void stateChanged()
    {
        QFETCH(QList<int>, states);
        QFETCH(QString, info);
        QFETCH(QStringList, lines);
        rig->transfer.info = info;
        for (int state : states)
            Q_EMIT rig->transfer.stateChanged(state);
        QCOMPARE(rig->view.lines, lines);
    }

    void bodyMustMatchItsAnnouncedLength_data()
    {
        QTest::addColumn<int>("bodyBytes");
        QTest::addColumn<bool>("written");
        QTest::newRow("as announced") << 2048 << true;
        QTest::newRow("shorter, reported complete") << 1000 << false;
        QTest::newRow("longer") << 3000 << false;
    }

    void bodyMustMatchItsAnnouncedLength()
    {
        QFETCH(int, bodyBytes);
        QFETCH(bool, written);
        const QString target = temp.filePath("archive.zip");
        QFile::remove(target);
        rig->transfer.length = "2048";
        rig->transfer.body = QByteArray(bodyBytes, 'k');

        QCOMPARE(rig->engine.downloadFile("http://127.0.0.1/archive.zip", target, false, 0), written);
        QCOMPARE(readFile(target), written ? rig->transfer.body : QByteArray());
        QVERIFY(!QFileInfo::exists(target + ".part"));
        QCOMPARE(rig->view.labels.last(), written ? Done : FileFailed);
    }
};

KRVNM_REGISTER_TEST(DownloadEventsTest)
#include "DownloadEventsTest.moc"
