#include "NetTestSupport.h"
#include "TestMain.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QFileInfo>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>

#include <optional>

using namespace English;

namespace {

const QByteArray Feed = "1.4.0\t2013-04-01\n";
const QByteArray PickOne = "<html><body>Pick one</body></html>";
const QByteArray OldFile = "the whole file from an earlier download";
// Well beyond what the component and the sockets hold unread, so a reader that stops
// makes the server wait.
constexpr qint64 BigBytes = QtTransferComponent::ReadBufferBytes + (32 << 20);

} // namespace

class DownloadEngineTest : public QObject, public NetFixture
{
    Q_OBJECT

    std::optional<EngineRig<>> rig;

    static QByteArray Bytes(qint64 size) { return TestHttpServer::generatedBytes(0, size); }
    QString target(const QString& name = "download.bin") const { return temp.filePath(name); }

    bool download(const QString& path, bool isUpdateList = false, const QString& file = "download.bin", int pauseMs = 0)
    {
        return rig->engine.downloadFile(server.url(path), target(file), isUpdateList, pauseMs);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.serveBytes("/empty", {});
        server.serveBytes("/2048", Bytes(2048));
        server.serveBytes("/versions.txt", Feed, 200, "text/plain");
        server.serveBytes("/missing", "<html><body>Not here</body></html>", 404, "text/html");
        server.serveBytes("/compressible", QByteArray(200000, 'k'), 200, "text/plain");
        server.serveGenerated("/big", BigBytes);
        server.serveWithoutLength("/nolength", Bytes(5000));
        server.serveNeverAnswered("/never");
        server.serveCutShort("/cut-huge", Bytes(4096), qint64(3) << 30);
        server.serveTrickle("/trickle", Bytes(20480), 1024, 20);
        server.serveTrickle("/trickle64", Bytes(65536), 1024, 5);
        server.serveTrickle("/stall", Bytes(4096), 1024, 2000);
        server.serveRedirect("/redirect", "/2048");
        server.serveRedirect("/choices", "/2048", 300, PickOne);
        server.serveWithoutLength("/5mib-unannounced", Bytes(5 << 20));
        server.serveTrickle("/drip", QByteArray(60, 'k'), 1, 50);
    }

    void init()
    {
        rig.emplace(*this);
        QFile::remove(target());
    }

    void cleanup()
    {
        rig.reset();
        timings = {};
        server.setWriteTimeoutMs(5000);
    }

    // With the clock moving a quarter second per shown text, the speed and time left follow
    // the progress text once the transfer's first second is over, and not before.
    void speedAndTimeLeftFollowTheProgress()
    {
        platform.elapsed = 0;
        rig->view.onLabel = [this](const QString&) { platform.elapsed += 250; };
        QVERIFY(download("/trickle64"));
        platform.elapsed = -1;
        const QStringList progress = rig->view.labels.filter("KB total");
        QVERIFY2(progress.size() > 5, qPrintable(rig->view.labels.join(QLatin1Char(0x7c))));
        const QRegularExpression withRate(R"(  \(\d+%\), \d+ KB/s, 0:\d\d left$)");
        for (int i = 0; i < 4; ++i)
            QVERIFY2(!progress.at(i).contains("/s"), qPrintable(progress.at(i)));
        QVERIFY2(withRate.match(progress.at(4)).hasMatch(), qPrintable(progress.at(4)));
    }

    void fileTransfer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isUpdateList");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("lastText"); // the progress text before "Done"

        const auto row = [](const char* name, const char* path, const QByteArray& body, const char* bar,
                            const QString& lastText,
                            bool list = false) { QTest::newRow(name) << path << list << body << bar << lastText; };
        row("list, without a bar", "/versions.txt", Feed, "hidden", "Downloading updates list...", true);
        row("Content-Length 0 leaves no busy bar", "/empty", {}, "0/1", Connecting);
        row("exactly 2048 bytes", "/2048", Bytes(2048), "1024/2048", "1 KB downloaded, 2KB total  (50%)");
        row("redirected", "/redirect", Bytes(2048), "1024/2048", "1 KB downloaded, 2KB total  (50%)");
        row("no length, closed at the end", "/nolength", Bytes(5000), "busy", "4 KB downloaded");
        row("compressible text is fetched plain", "/compressible", QByteArray(200000, 'k'), "199680/200000",
            "195 KB downloaded, 195KB total  (99%)");
        row("trickled", "/trickle", Bytes(20480), "19456/20480", "19 KB downloaded, 20KB total  (95%)");
        // A file has no deadline.
        row("dripping past the list deadline", "/drip", QByteArray(60, 'k'), "0/60", Connecting);
    }

    void fileTransfer()
    {
        QFETCH(QString, path);
        QFETCH(bool, isUpdateList);
        QFETCH(QByteArray, body);
        QFETCH(QString, bar);
        QFETCH(QString, lastText);
        // A list waits its pause before "Done".
        const int pauseMs = isUpdateList ? 300 : 0;
        // The first progress shows at once, the final one always, others at most once a minute.
        timings.refreshIntervalMs = 60000;
        timings.listDeadlineMs = 1000;

        QVERIFY(writeFile(target(), OldFile));
        const QDeadlineTimer pauseOver(pauseMs);
        QVERIFY2(download(path, isUpdateList, "download.bin", pauseMs), qPrintable(rig->view.lines.join(" | ")));
        QVERIFY(pauseOver.hasExpired());
        QCOMPARE(readFile(target()), body);
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(rig->view.bar(), bar);
        QCOMPARE(rig->view.labels.first(), Connecting);
        QCOMPARE(rig->view.labels.mid(rig->view.labels.size() - 2), QStringList({lastText, Done}));
        // A list shows no progress at all.
        QVERIFY2(rig->view.labels.size() <= (isUpdateList ? 3 : 4), qPrintable(rig->view.labels.join(" | ")));
        QCOMPARE(rig->view.lines.count(Receiving), 1);
        QVERIFY(!rig->view.timer.isActive());
        QVERIFY(!rig->view.iconsHidden);
        QVERIFY2(rig->view.enables.isEmpty(), "controls are the caller's business after a success");
    }

    void failedTransfer_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("lastLines"); // an empty line stands for the component's own text
        QTest::addColumn<QString>("shown");         // the progress text before the failure, if any
        QTest::addColumn<QString>("bar");

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString refused = QStringLiteral("http://127.0.0.1:%1/file.zip").arg(closed.serverPort());
        const QString silent = "The server did not answer for 0.3 seconds.";
        auto status = [](const QString& line) { return QStringList{NotFound, line, ConnectFailed}; };
        const QStringList broken{ConnectError, {}, ConnectFailed};

        const auto row = [](const char* name, const QString& url, const QStringList& lines, const QString& shown = {},
                            const QString& bar = "hidden") { QTest::newRow(name) << url << lines << shown << bar; };
        row("404 with a page", server.url("/missing"), status("HTTP/1.1 404 Not Found"));
        row("300 with a Location Qt does not follow", server.url("/choices"), status("HTTP/1.1 300 Multiple Choice"));
        // Without an answer the cause is shown, and "not found" is not.
        row("refused", refused, {ConnectError, "Connection refused", ConnectFailed});
        row("never answers", server.url("/never"), {ConnectError, silent, ConnectFailed});
        row("stops in the body", server.url("/stall"), {ConnectError, silent, ConnectFailed},
            "1 KB downloaded, 4KB total  (25%)", "1024/4096");
        row("cut short of 3 GiB", server.url("/cut-huge"), broken, "4 KB downloaded, 3145728KB total  (0%)",
            "2048/1610612736");
    }

    void failedTransfer()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, lastLines);
        QFETCH(QString, shown);
        QFETCH(QString, bar);
        timings.requestTimeoutMs = 300;
        timings.refreshIntervalMs = 0;
        QVERIFY(writeFile(target(), OldFile));

        QVERIFY(!rig->engine.downloadFile(url, target(), false, 0));
        // A file that was complete before stays.
        QCOMPARE(readFile(target()), OldFile);
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(rig->view.lines.mid(0, 2), QStringList({Lookup, Connecting}));
        const QStringList tail = rig->view.lines.mid(rig->view.lines.size() - lastLines.size());
        for (qsizetype i = 0; i < std::min(tail.size(), lastLines.size()); ++i)
            if (lastLines[i].isEmpty() && tail[i].trimmed().size() >= 4)
                lastLines[i] = tail[i];
        QCOMPARE(tail, lastLines);
        if (!shown.isEmpty())
            QCOMPARE(rig->view.labels.at(rig->view.labels.size() - 2), shown);
        QCOMPARE(rig->view.labels.last(), FileFailed);
        QCOMPARE(rig->view.bar(), bar);
        QVERIFY(!rig->view.timer.isActive());
        QCOMPARE(rig->view.enables, QList<bool>{true});
        QVERIFY(rig->view.iconsHidden);
        QVERIFY(!rig->transfer.stillExecuting());
    }

    // A list is small: a larger answer is refused as soon as it shows, and a server that
    // keeps it coming a byte at a time is stopped at the deadline.
    void listTransferIsBounded_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        const QString tooLarge = "The server's answer is larger than 4096 KB and was refused.";
        QTest::newRow("5 MiB feed of unannounced length") << "/5mib-unannounced" << tooLarge;
        QTest::newRow("dripping list") << "/drip"
                                       << "The server did not finish its answer within 1 seconds.";
    }
    void listTransferIsBounded()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        timings.requestTimeoutMs = 500;
        timings.listDeadlineMs = 1000;
        rig->view.tickMs = 10000;

        QVERIFY(!download(path, true));
        QVERIFY2(rig->view.lines.contains(reason), qPrintable(rig->view.lines.join(" | ")));
        QCOMPARE(rig->view.labels.last(), ListFailed);
        QVERIFY(!QFileInfo::exists(target()));
        QVERIFY(!QFileInfo::exists(target() + ".part"));
    }

    void finalRedirectionLeavesNoWatchdogRunning()
    {
        rig->transfer.setRequestTimeoutMs(100);
        rig->transfer.execute(server.url("/choices"));
        QTRY_VERIFY(!rig->transfer.stillExecuting());
        QVERIFY(rig->transfer.completed());
        QCOMPARE(rig->transfer.readChunk(1024), PickOne);
        QTest::qWait(400);
        QVERIFY2(!rig->view.lines.contains(ConnectError), qPrintable(rig->view.lines.join(" | ")));
        QCOMPARE(rig->transfer.header("Location"), server.url("/2048"));
    }

    void downloadGoesOnWhileAModalQuestionIsOpen()
    {
        // A modal question (may the program close?) runs its own event loop for much longer
        // than the time-out; the body is read meanwhile, or the buffer would fill and this
        // server, which drops connections it cannot write to, would end the download.
        timings.requestTimeoutMs = 200;
        server.setWriteTimeoutMs(300);
        bool opened = false;
        rig->view.onLabel = [&](const QString& text) {
            if (opened || !text.contains("KB total"))
                return;
            opened = true;
            QTimer::singleShot(0, [] {
                QDialog dialog;
                QTimer::singleShot(1500, &dialog, &QDialog::accept);
                dialog.exec();
            });
        };
        QVERIFY2(download("/big"), qPrintable(rig->view.lines.join(" | ")));
        QVERIFY(opened);
        QCOMPARE(readFile(target()), Bytes(BigBytes));
    }

    void listTransferThatNeverAnswersCountsDown()
    {
        rig->view.tickMs = 5;
        QVERIFY(writeFile(target("list.tmp"), "stale"));
        QVERIFY(!download("/never", true, "list.tmp"));

        QStringList expected{Connecting};
        for (int n = 14; n >= 2; --n)
            expected << QStringLiteral("Connecting to server... (%1)").arg(n);
        expected << FileFailed << ListFailed;
        QCOMPARE(rig->view.labels, expected);
        QCOMPARE(int(rig->engine.countdown()), 1);
        QCOMPARE(rig->view.lines.mid(rig->view.lines.size() - 2), QStringList({Sending, ConnectFailed}));
        QVERIFY(!QFileInfo::exists(target("list.tmp")));
        QVERIFY(!rig->view.timer.isActive());
        QVERIFY(!rig->transfer.stillExecuting());
    }

    // Enabling the controls lets queued commands run; one may start the next transfer
    // before the failed one has finished its failure path.
    void transferStartedWhileEnablingIsLeftAlone_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("tickMs");
        QTest::newRow("failure path") << "/missing" << 10000;
        QTest::newRow("time-out tick") << "/never" << 5;
    }

    void transferStartedWhileEnablingIsLeftAlone()
    {
        QFETCH(QString, path);
        QFETCH(int, tickMs);
        rig->view.tickMs = tickMs;
        int enables = 0;
        bool newer = false;
        rig->view.onEnable = [&] {
            if (enables++ > 0)
                return;
            rig->view.tickMs = 10000;
            newer = download("/versions.txt", true, "versions.tmp");
        };
        QVERIFY(!download(path, true, "versions.tmp"));
        QVERIFY(newer);
        QCOMPARE(readFile(target("versions.tmp")), Feed);
        QCOMPARE(rig->view.labels.last(), Done);
        QVERIFY2(rig->view.lines.last() != ConnectFailed, qPrintable(rig->view.lines.join(" | ")));
        QCOMPARE(enables, 1);
    }

    // The network thread may queue a dropped reply's error after the drop (the answer was on
    // its way while the abort went the other way); it must not reach the reply either.
    void errorQueuedAfterTheDropWarnsNothing()
    {
        QTest::failOnWarning(QRegularExpression("QNetworkReply"));
        rig->transfer.execute(server.url("/missing"));
        QTRY_VERIFY(rig->transfer.headersReceived());
        QPointer<QNetworkReply> dropped = rig->transfer.findChild<QNetworkReply*>();
        QVERIFY(dropped);
        rig->transfer.cancel();
        // What the network thread sends a reply whose answer carries an error status.
        QVERIFY(QMetaObject::invokeMethod(dropped, "httpError", Qt::QueuedConnection,
                                          Q_ARG(QNetworkReply::NetworkError, QNetworkReply::ContentNotFoundError),
                                          Q_ARG(QString, QStringLiteral("Not Found"))));
        QTRY_VERIFY(!dropped);
    }

    void busyComponentAtStartFails()
    {
        rig->transfer.execute(server.url("/never"));
        QVERIFY(rig->transfer.stillExecuting());
        QVERIFY(!download("/2048"));
        QVERIFY(!rig->transfer.stillExecuting());
        QCOMPARE(rig->view.lines, QStringList({ConnectFailed}));
        QCOMPARE(rig->view.labels, QStringList({FileFailed}));
        QVERIFY(!QFileInfo::exists(target()));
    }
};

KRVNM_REGISTER_TEST(DownloadEngineTest)
#include "DownloadEngineTest.moc"
