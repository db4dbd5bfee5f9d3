#include "MemorySettingsStore.h"
#include "NetTestSupport.h"
#include "TestMain.h"
#include "net/DownloadRecords.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

constexpr qint64 Size = 3 * 1024 * 1024;
constexpr qint64 Cut = 1200 * 1024;
const QByteArray First = TestHttpServer::generatedBytes(0, Size);
const QByteArray Changed = TestHttpServer::generatedBytes(7, Size);

} // namespace

// An interrupted file transfer keeps its part file; the next one of the same address asks
// for the rest, and whatever the server answers, the file and its digest are whole.
class ResumableDownloadTest : public QObject, public NetFixture
{
    Q_OBJECT

    MemorySettingsStore settings;
    DownloadRecords records{settings};

private Q_SLOTS:
    void initTestCase() { QVERIFY(server.start()); }

    void resumes_data()
    {
        QTest::addColumn<int>("cuts");           // answers cut off after Cut bytes
        QTest::addColumn<QString>("then");       // what the server does before the last download
        QTest::addColumn<QStringList>("ranges"); // the Range header of each request
        QTest::addColumn<QByteArray>("result");

        const QString fromCut = QStringLiteral("bytes=%1-").arg(Cut);
        const QString fromSecondCut = QStringLiteral("bytes=%1-").arg(2 * Cut);
        QTest::newRow("cut twice") << 2 << "" << QStringList{"", fromCut, fromSecondCut} << First;
        QTest::newRow("200 to a range starts over") << 1 << "ignore ranges" << QStringList{"", fromCut} << First;
        QTest::newRow("file changed between the halves") << 1 << "change" << QStringList{"", fromCut} << Changed;
        QTest::newRow("416 starts over") << 1 << "shrink" << QStringList{"", fromCut, ""} << First.left(1000);
        QTest::newRow("206 for another range starts over")
            << 1 << "shrink, other range" << QStringList{"", fromCut, ""} << First.left(1000);
        QTest::newRow("part file altered meanwhile") << 1 << "alter part" << QStringList{""} << First;
    }
    void resumes()
    {
        QFETCH(int, cuts);
        QFETCH(QString, then);
        QFETCH(QStringList, ranges);
        QFETCH(QByteArray, result);
        const QString path =
            QStringLiteral("/resume/%1.zip").arg(QLatin1String(QTest::currentDataTag())).replace(' ', '-');
        const QString target = temp.filePath(QFileInfo(path).fileName());
        server.serveResumable(path, First, {.cuts = cuts, .cutBytes = Cut});
        EngineRig rig(*this);
        rig.engine.setRecords(&records);

        for (int attempt = 0; attempt < cuts; ++attempt)
            QVERIFY(!rig.engine.downloadFile(server.url(path), target, false, 0));
        QCOMPARE(QFileInfo(target + ".part").size(), cuts * Cut);
        if (then == "alter part")
            QVERIFY(writeFile(target + ".part", QByteArray(Cut, 'x')));
        // For the last download the server holds the file the row expects, a changed one under a new tag.
        const QString tag = then == "change" ? QStringLiteral("\"v2\"") : QStringLiteral("\"v1\"");
        server.serveResumable(
            path, result, {.etag = tag, .ranges = then != "ignore ranges", .pastTheEnd416 = !then.contains("other")});
        rig.view.lines.clear();

        QVERIFY2(rig.engine.downloadFile(server.url(path), target, false, 0), qPrintable(rig.view.lines.join(" | ")));

        QCOMPARE(readFile(target), result);
        const QByteArray digest = QCryptographicHash::hash(result, QCryptographicHash::Sha256).toHex();
        QCOMPARE(rig.engine.lastDigest(), digest);
        QCOMPARE(records.digest(QFileInfo(target).fileName()), digest);
        QVERIFY(!QFileInfo::exists(target + ".part"));
        // Qt sends a request the server cut off once more on its own, and under load that copy
        // may come after the next download's request: a range asked for again is such a copy.
        QStringList asked;
        for (const TestHttpServer::Request& request : server.requests()) {
            const QString range = request.headers.value("range");
            if (request.path != path || (!asked.isEmpty() && asked.last() == range) ||
                (!range.isEmpty() && asked.contains(range)))
                continue;
            asked << range;
            QCOMPARE(request.headers.value("if-range"), QLatin1String(range.isEmpty() ? "" : "\"v1\""));
        }
        QCOMPARE(asked.join(", "), ranges.join(", "));
        const bool appended = then.isEmpty();
        const QString resuming = QStringLiteral("Resuming at %1 KB.").arg(cuts * Cut / 1024);
        QCOMPARE(rig.view.lines.contains(resuming), appended);
    }

    // Without a validator nothing can be asked for safely; a body longer than announced
    // is no beginning of the file either.
    void keepsNothingItCannotResume()
    {
        server.serveCutShort("/no-validator.zip", First.left(Cut), Size);
        EngineRig rig(*this);
        rig.engine.setRecords(&records);
        const QString target = temp.filePath("no-validator.zip");
        QVERIFY(!rig.engine.downloadFile(server.url("/no-validator.zip"), target, false, 0));
        QVERIFY(!QFileInfo::exists(target + ".part"));
        QCOMPARE(settings.readItem(SettingKey::PartialDownload, "no-validator.zip"), QString());
    }
};

KRVNM_REGISTER_TEST(ResumableDownloadTest)
#include "ResumableDownloadTest.moc"
