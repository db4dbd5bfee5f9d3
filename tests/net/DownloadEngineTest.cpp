#include "net/DownloadEngine.h"
#include "FakePlatform.h"
#include "NetTestSupport.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/QtTransferComponent.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkReply>
#include <QPointer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

using namespace English;

namespace {

const QByteArray Feed = "1.4.0\t2013-04-01\n";
const QByteArray PickOne = "<html><body>Pick one</body></html>";
const QByteArray OldFile = "the whole file from an earlier download";
// Well beyond what the component and the sockets hold unread, so a reader that stops
// makes the server wait.
constexpr qint64 BigBytes = QtTransferComponent::ReadBufferBytes + (32 << 20);

} // namespace

class DownloadEngineTest : public QObject
{
    Q_OBJECT

    TestHttpServer server;
    QTemporaryDir temp;
    AppState state;
    FakePlatform platform;
    DownloadTimings timings;
    std::unique_ptr<QtTransferComponent> transfer;
    std::unique_ptr<RecordingDownloadView> view;
    std::unique_ptr<DownloadEngine> engine;

    static QByteArray Bytes(qint64 size) { return TestHttpServer::generatedBytes(0, size); }
    QString target(const QString& name = "download.bin") const { return temp.filePath(name); }

    bool download(const QString& path, bool isUpdateList = false, const QString& file = "download.bin", int pauseMs = 0)
    {
        return engine->downloadFile(server.url(path), target(file), isUpdateList, pauseMs);
    }

private Q_SLOTS:
    void initTestCase()
    {
        loadEnglish(state);
        QVERIFY(server.start());
        server.serveBytes("/empty", {});
        server.serveBytes("/2048", Bytes(2048));
        server.serveBytes("/versions.txt", Feed, 200, "text/plain");
        server.serveBytes("/missing", "<html><body>Not here</body></html>", 404, "text/html");
        server.serveBytes("/multiple", PickOne, 300, "text/html");
        server.serveBytes("/compressible", QByteArray(200000, 'k'), 200, "text/plain");
        server.serveGenerated("/big", BigBytes);
        server.serveChunked("/chunked", Bytes(5000));
        server.serveWithoutLength("/nolength", Bytes(5000));
        server.serveNeverAnswered("/never");
        server.serveCutShort("/cut", Bytes(4096), 8192);
        server.serveCutShort("/cut-huge", Bytes(4096), qint64(3) << 30);
        server.serveTrickle("/trickle", Bytes(20480), 1024, 20);
        server.serveTrickle("/trickle64", Bytes(65536), 1024, 5);
        server.serveTrickle("/stall", Bytes(4096), 1024, 2000);
        server.serveRedirect("/redirect", "/2048");
        server.serveRedirect("/choices", "/2048", 300, PickOne);
        server.serveGenerated("/5mib", 5 << 20);
        server.serveWithoutLength("/5mib-unannounced", Bytes(5 << 20));
        server.serveDrip("/drip", 60, 50);
    }

    void init()
    {
        transfer = std::make_unique<QtTransferComponent>();
        view = std::make_unique<RecordingDownloadView>();
        engine = std::make_unique<DownloadEngine>(state, *transfer, platform, timings, *view, *view);
        view->engine = engine.get();
        state.connectionType = 1;
        QVERIFY(engine->prepareConnection());
        QFile::remove(target());
    }

    void cleanup()
    {
        engine.reset();
        view.reset();
        transfer.reset();
        timings = {};
    }

    // With the clock moving a quarter second per shown text, the speed and time left follow
    // the progress text once the transfer's first second is over, and not before.
    void speedAndTimeLeftFollowTheProgress()
    {
        platform.elapsed = 0;
        view->onLabel = [this](const QString&) { platform.elapsed += 250; };
        QVERIFY(download("/trickle64"));
        platform.elapsed = -1;
        const QStringList progress = view->labels.filter("KB total");
        QVERIFY2(progress.size() > 5, qPrintable(view->labels.join(QLatin1Char(0x7c))));
        const QRegularExpression withRate(R"(  \(\d+%\), \d+ KB/s, 0:\d\d left$)");
        for (int i = 0; i < 4; ++i)
            QVERIFY2(!progress.at(i).contains("/s"), qPrintable(progress.at(i)));
        QVERIFY2(withRate.match(progress.at(4)).hasMatch(), qPrintable(progress.at(4)));
    }

    void fileTransfer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("lastText"); // the progress text before "Done"

        const auto row = [](const char* name, const char* path, const QByteArray& body, const char* bar,
                            const QString& lastText) { QTest::newRow(name) << path << body << bar << lastText; };
        row("Content-Length 0 leaves no busy bar", "/empty", {}, "0/1", Connecting);
        row("exactly 2048 bytes", "/2048", Bytes(2048), "1024/2048", "1 KB downloaded, 2KB total  (50%)");
        row("redirected", "/redirect", Bytes(2048), "1024/2048", "1 KB downloaded, 2KB total  (50%)");
        row("chunked", "/chunked", Bytes(5000), "busy", "4 KB downloaded");
        row("no length, closed at the end", "/nolength", Bytes(5000), "busy", "4 KB downloaded");
        row("compressible text is fetched plain", "/compressible", QByteArray(200000, 'k'), "199680/200000",
            "195 KB downloaded, 195KB total  (99%)");
    }

    void fileTransfer()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(QString, bar);
        QFETCH(QString, lastText);

        QVERIFY(writeFile(target(), OldFile));
        QVERIFY2(download(path), qPrintable(view->lines.join(" | ")));
        QCOMPARE(readFile(target()), body);
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(server.lastRequestHeaders(path).value("accept-encoding"), "identity");
        QCOMPARE(view->bar(), bar);
        QCOMPARE(view->labels.first(), Connecting);
        QCOMPARE(view->labels.mid(view->labels.size() - 2), QStringList({lastText, Done}));
        QCOMPARE(view->lines.count(Receiving), 1);
        QVERIFY(!view->timer.isActive());
        QVERIFY(!view->iconsHidden);
        QVERIFY2(!view->idle, "controls are the caller's business after a success");
    }

    void listTransferWaitsItsPauseBeforeDone()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(download("/versions.txt", true, "versions.tmp", 300));
        QVERIFY2(clock.elapsed() >= 300, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(readFile(target("versions.tmp")), Feed);
        QCOMPARE(view->labels, QStringList({Connecting, "Downloading updates list...", Done}));
        QCOMPARE(view->bar(), "hidden");
        QVERIFY(!view->timer.isActive());
    }

    void failedTransfer_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("isUpdateList");
        QTest::addColumn<QStringList>("lastLines"); // an empty line stands for the component's own text
        QTest::addColumn<QString>("shown");         // the progress text before the failure, if any
        QTest::addColumn<QString>("bar");

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString refused = QStringLiteral("http://127.0.0.1:%1/file.zip").arg(closed.serverPort());
        const QString silent = "The server did not answer for 0.3 seconds.";
        auto status = [](const QString& line) { return QStringList{NotFound, line, ConnectFailed}; };
        const QStringList broken{ConnectError, {}, ConnectFailed};

        const auto row = [](const char* name, const QString& url, bool list, const QStringList& lines,
                            const QString& shown = {}, const QString& bar = "hidden") {
            QTest::newRow(name) << url << list << lines << shown << bar;
        };
        row("404 with a page, file", server.url("/missing"), false, status("HTTP/1.1 404 Not Found"));
        row("404 with a page, list", server.url("/missing"), true, status("HTTP/1.1 404 Not Found"));
        row("300 with a page, no Location", server.url("/multiple"), false, status("HTTP/1.1 300 Multiple Choice"));
        row("300 with a Location Qt does not follow", server.url("/choices"), false,
            status("HTTP/1.1 300 Multiple Choice"));
        // Without an answer the cause is shown, and "not found" is not.
        row("refused", refused, false, {ConnectError, "Connection refused", ConnectFailed});
        row("never answers", server.url("/never"), false, {ConnectError, silent, ConnectFailed});
        row("stops in the body", server.url("/stall"), false, {ConnectError, silent, ConnectFailed},
            "1 KB downloaded, 4KB total  (25%)", "1024/4096");
        row("cut short", server.url("/cut"), false, broken, "4 KB downloaded, 8KB total  (50%)", "4096/8192");
        row("cut short of 3 GiB", server.url("/cut-huge"), false, broken, "4 KB downloaded, 3145728KB total  (0%)",
            "2048/1610612736");
    }

    void failedTransfer()
    {
        QFETCH(QString, url);
        QFETCH(bool, isUpdateList);
        QFETCH(QStringList, lastLines);
        QFETCH(QString, shown);
        QFETCH(QString, bar);
        timings.requestTimeoutMs = 300;
        timings.refreshIntervalMs = 0;
        QVERIFY(writeFile(target(), OldFile));

        QVERIFY(!engine->downloadFile(url, target(), isUpdateList, 0));
        // A list is fetched again as a whole; a file that was complete before stays.
        QCOMPARE(readFile(target()), isUpdateList ? QByteArray() : OldFile);
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(view->lines.mid(0, 2), QStringList({Lookup, Connecting}));
        const QStringList tail = view->lines.mid(view->lines.size() - lastLines.size());
        QCOMPARE(tail.size(), lastLines.size());
        for (qsizetype i = 0; i < tail.size(); ++i) {
            if (!lastLines[i].isEmpty() || tail[i].trimmed().size() < 4)
                QCOMPARE(tail[i], lastLines[i]);
        }
        if (!shown.isEmpty())
            QCOMPARE(view->labels.at(view->labels.size() - 2), shown);
        QCOMPARE(view->labels.last(), isUpdateList ? ListFailed : FileFailed);
        QCOMPARE(view->bar(), bar);
        QVERIFY(!view->timer.isActive());
        QCOMPARE(view->idle, true);
        QCOMPARE(view->iconsHidden, !isUpdateList);
        QVERIFY(!transfer->stillExecuting());
    }

    // A list is small: a larger answer is refused as soon as it shows, and a server that
    // keeps it coming a byte at a time is stopped at the deadline. A file has no deadline.
    void listTransferIsBounded_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isUpdateList");
        QTest::addColumn<QString>("reason"); // empty: the transfer succeeds
        const QString tooLarge = "The server's answer is larger than 4096 KB and was refused.";
        QTest::newRow("5 MiB feed") << "/5mib" << true << tooLarge;
        QTest::newRow("5 MiB feed of unannounced length") << "/5mib-unannounced" << true << tooLarge;
        QTest::newRow("dripping list") << "/drip" << true << "The server did not finish its answer within 1 seconds.";
        QTest::newRow("dripping file") << "/drip" << false << "";
    }
    void listTransferIsBounded()
    {
        QFETCH(QString, path);
        QFETCH(bool, isUpdateList);
        QFETCH(QString, reason);
        timings.requestTimeoutMs = 500;
        timings.listDeadlineMs = 1000;
        view->tickMs = 10000;

        QCOMPARE(download(path, isUpdateList), reason.isEmpty());
        if (reason.isEmpty()) {
            QCOMPARE(readFile(target()), QByteArray(60, 'k'));
            return;
        }
        QVERIFY2(view->lines.contains(reason), qPrintable(view->lines.join(" | ")));
        QCOMPARE(view->labels.last(), ListFailed);
        QVERIFY(!QFileInfo::exists(target()));
        QVERIFY(!QFileInfo::exists(target() + ".part"));
    }

    void finalRedirectionLeavesNoWatchdogRunning()
    {
        transfer->setRequestTimeoutMs(100);
        transfer->execute(server.url("/choices"));
        QTRY_VERIFY(!transfer->stillExecuting());
        QVERIFY(transfer->completed());
        QCOMPARE(transfer->readChunk(1024), PickOne);
        QTest::qWait(400);
        QVERIFY2(!view->lines.contains(ConnectError), qPrintable(view->lines.join(" | ")));
        QCOMPARE(transfer->header("Location"), server.url("/2048"));
    }

    void progressIsThrottledButEndsOnTheFinalState()
    {
        timings.refreshIntervalMs = 60000;
        QVERIFY(download("/trickle"));
        QCOMPARE(view->labels, QStringList({Connecting, "1 KB downloaded, 20KB total  (5%)",
                                            "19 KB downloaded, 20KB total  (95%)", Done}));
        QCOMPARE(view->bar(), "19456/20480");
    }

    void downloadGoesOnWhileAModalQuestionIsOpen()
    {
        // A modal question (may the program close?) runs its own event loop for much longer
        // than the time-out; the body is read meanwhile, or the buffer would fill and this
        // server, which drops connections it cannot write to, would end the download.
        timings.requestTimeoutMs = 200;
        server.setWriteTimeoutMs(300);
        const auto patient = qScopeGuard([&] { server.setWriteTimeoutMs(5000); });
        bool opened = false;
        view->onLabel = [&](const QString& text) {
            if (opened || !text.contains("KB total"))
                return;
            opened = true;
            QTimer::singleShot(0, [] {
                QDialog dialog;
                QTimer::singleShot(1500, &dialog, &QDialog::accept);
                dialog.exec();
            });
        };
        QVERIFY2(download("/big"), qPrintable(view->lines.join(" | ")));
        QVERIFY(opened);
        QCOMPARE(readFile(target()), Bytes(BigBytes));
    }

    void listTransferThatNeverAnswersCountsDown()
    {
        view->tickMs = 5;
        QVERIFY(writeFile(target("list.tmp"), "stale"));
        QVERIFY(!download("/never", true, "list.tmp"));

        QStringList expected{Connecting};
        for (int n = 14; n >= 2; --n)
            expected << QStringLiteral("Connecting to server... (%1)").arg(n);
        expected << FileFailed << ListFailed;
        QCOMPARE(view->labels, expected);
        QCOMPARE(int(engine->countdown()), 1);
        QCOMPARE(view->lines.mid(view->lines.size() - 2), QStringList({Sending, ConnectFailed}));
        QVERIFY(!QFileInfo::exists(target("list.tmp")));
        QVERIFY(!view->timer.isActive());
        QVERIFY(!transfer->stillExecuting());
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
        view->tickMs = tickMs;
        int enables = 0;
        bool newer = false;
        view->onEnable = [&] {
            if (enables++ > 0)
                return;
            view->tickMs = 10000;
            newer = download("/versions.txt", true, "versions.tmp");
        };
        QVERIFY(!download(path, true, "versions.tmp"));
        QVERIFY(newer);
        QCOMPARE(readFile(target("versions.tmp")), Feed);
        QCOMPARE(view->labels.last(), Done);
        QVERIFY2(view->lines.last() != ConnectFailed, qPrintable(view->lines.join(" | ")));
        QCOMPARE(enables, 1);
    }

    // The engine drops an unwanted answer as soon as its status is known; by then the
    // network thread may have queued the rest of it (its error, its end) for the reply.
    void answerDroppedWithItsEndQueuedWarnsNothing()
    {
        QTest::failOnWarning(QRegularExpression("QNetworkReply"));
        int drops = 0;
        connect(transfer.get(), &TransferComponent::stateChanged, this, [&](int state) {
            if (state != TransferComponent::ReceivingResponse || drops++ > 0)
                return;
            // The whole small answer reaches the main thread's queue meanwhile.
            QThread::msleep(300);
            transfer->cancel();
        });
        transfer->execute(server.url("/missing"));
        QTRY_COMPARE(drops, 1);
        QTest::qWait(200);
        QVERIFY(!transfer->stillExecuting());
    }

    // The network thread may queue a dropped reply's error after the drop (the answer was on
    // its way while the abort went the other way); it must not reach the reply either.
    void errorQueuedAfterTheDropWarnsNothing()
    {
        QTest::failOnWarning(QRegularExpression("QNetworkReply"));
        transfer->execute(server.url("/missing"));
        QTRY_VERIFY(transfer->headersReceived());
        QPointer<QNetworkReply> dropped = transfer->findChild<QNetworkReply*>();
        QVERIFY(dropped);
        transfer->cancel();
        // What the network thread sends a reply whose answer carries an error status.
        QVERIFY(QMetaObject::invokeMethod(dropped, "httpError", Qt::QueuedConnection,
                                          Q_ARG(QNetworkReply::NetworkError, QNetworkReply::ContentNotFoundError),
                                          Q_ARG(QString, QStringLiteral("Not Found"))));
        QTRY_VERIFY(!dropped);
    }

    void busyComponentAtStartFails()
    {
        transfer->execute(server.url("/never"));
        QVERIFY(transfer->stillExecuting());
        QVERIFY(!download("/2048"));
        QVERIFY(!transfer->stillExecuting());
        QCOMPARE(view->lines, QStringList({ConnectFailed}));
        QCOMPARE(view->labels, QStringList({FileFailed}));
        QVERIFY(!QFileInfo::exists(target()));
    }
};

KRVNM_REGISTER_TEST(DownloadEngineTest)
#include "DownloadEngineTest.moc"
