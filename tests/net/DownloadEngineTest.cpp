#include "net/DownloadEngine.h"
#include "FakePlatform.h"
#include "FakeTransfer.h"
#include "NetTestSupport.h"
#include "RecordingDownloadView.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/QtTransferComponent.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

namespace {

const QString Lookup = "Looking up the server IP address...";
const QString Connecting = "Connecting to server...";
const QString Receiving = "Downloading data...";
const QString ConnectError = "Error connecting to server.";
const QString NotFound = "Error 404 downloading file.";
const QString ConnectFailed = "Failed to connect to server.";
const QString ListFailed = "Failed to download updates list.";
const QString FileFailed = "Failed to install new product version.";
const QString ListDownloading = "Downloading updates list...";
const QString Done = "Done.";

// A component whose response information and proxy the test sets and reads.
class ScriptedTransfer : public FakeTransfer
{
public:
    QString responseInfo() const override { return info; }
    void setProxy(const ProxySettings& proxy) override { proxies.append(proxy); }
    QString info;
    QList<ProxySettings> proxies;
};

QByteArray Compressible(int size)
{
    QByteArray text;
    while (text.size() < size)
        text += "Korvane release notes: the same line again and again, so gzip would shrink it a lot.\n";
    text.truncate(size);
    return text;
}

} // namespace

class DownloadEngineTest : public QObject
{
    Q_OBJECT

    TestHttpServer server;
    QTemporaryDir temp;
    AppState state;
    FakePlatform platform;
    std::unique_ptr<TimingsGuard> timings;
    std::unique_ptr<QtTransferComponent> transfer;
    std::unique_ptr<RecordingDownloadView> view;
    std::unique_ptr<DownloadEngine> engine;

    QString target(const QString& name = "download.bin") const { return temp.filePath(name); }

    bool download(const QString& path, bool isUpdateList = false, const QString& file = "download.bin")
    {
        return engine->DownloadFile(server.url(path), target(file), isUpdateList, 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        LoadEnglish(state);
        QVERIFY(server.start());
        server.serveBytes("/empty", {});
        server.serveBytes("/2048", TestHttpServer::GeneratedBytes(0, 2048));
        server.serveBytes("/versions.txt", "1.4.0\t2013-04-01\n", 200, "text/plain");
        server.serveBytes("/missing", "<html><body>Not here</body></html>", 404, "text/html");
        server.serveBytes("/broken", "<html><body>Oops</body></html>", 500, "text/html");
        server.serveBytes("/compressible", Compressible(200000), 200, "text/plain");
        server.serveGenerated("/466944", 466944);
        server.serveChunked("/chunked", TestHttpServer::GeneratedBytes(0, 5000));
        server.serveWithoutLength("/nolength", TestHttpServer::GeneratedBytes(0, 5000));
        server.serveNeverAnswered("/never");
        server.serveCutShort("/cut", TestHttpServer::GeneratedBytes(0, 4096), 8192);
        server.serveCutShort("/cut-huge", TestHttpServer::GeneratedBytes(0, 4096), qint64(3) << 30);
        server.serveTrickle("/trickle", TestHttpServer::GeneratedBytes(0, 20480), 1024, 20);
        server.serveRedirect("/redirect", "/2048");
    }

    void init()
    {
        timings = std::make_unique<TimingsGuard>();
        CurrentDownloadTimings().requestTimeoutMs = 10000;
        transfer = std::make_unique<QtTransferComponent>();
        view = std::make_unique<RecordingDownloadView>();
        engine = std::make_unique<DownloadEngine>(state, *transfer, platform, *view);
        view->engine = engine.get();
        state.ConnectionType = 1;
        QVERIFY(engine->PrepareConnection());
        QFile::remove(target());
        QFile::remove(target() + ".part");
    }

    void cleanup()
    {
        engine.reset();
        view.reset();
        transfer.reset();
        timings.reset();
    }

    void fileTransfer_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("barStart");
        QTest::addColumn<QString>("lastProgress");

        auto sized = [&](int total) { return QStringList{"value 0", QStringLiteral("max %1").arg(total), "visible"}; };
        QTest::newRow("Content-Length 0") << "/empty" << QByteArray() << sized(0) << QString();
        QTest::newRow("exactly 2048 bytes")
            << "/2048" << TestHttpServer::GeneratedBytes(0, 2048) << sized(2048) << "1 KB downloaded, 2KB total  (50%)";
        QTest::newRow("the worked example's length") << "/466944" << TestHttpServer::GeneratedBytes(0, 466944)
                                                     << sized(466944) << "455 KB downloaded, 456KB total  (99%)";
        QTest::newRow("redirected") << "/redirect" << TestHttpServer::GeneratedBytes(0, 2048) << sized(2048)
                                    << "1 KB downloaded, 2KB total  (50%)";
        QTest::newRow("chunked") << "/chunked" << TestHttpServer::GeneratedBytes(0, 5000)
                                 << QStringList{"busy", "visible"} << "4 KB downloaded";
        QTest::newRow("no length, closed at the end") << "/nolength" << TestHttpServer::GeneratedBytes(0, 5000)
                                                      << QStringList{"busy", "visible"} << "4 KB downloaded";
        QTest::newRow("compressible text")
            << "/compressible" << Compressible(200000) << sized(200000) << "195 KB downloaded, 195KB total  (99%)";
    }

    void fileTransfer()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(QStringList, barStart);
        QFETCH(QString, lastProgress);

        QVERIFY2(download(path), qPrintable(view->lines.join(" | ")));
        QCOMPARE(ReadFile(target()), body);
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(server.lastRequestHeaders(path).value("accept-encoding"), "identity");

        QCOMPARE(view->bar.mid(0, barStart.size()), barStart);
        QCOMPARE(view->labels.first(), Connecting);
        QCOMPARE(view->labels.last(), Done);
        if (lastProgress.isEmpty())
            QCOMPARE(view->labels, QStringList({Connecting, Done}));
        else
            QCOMPARE(view->labels.at(view->labels.size() - 2), lastProgress);
        QCOMPARE(view->lines.count(Receiving), 1);
        QVERIFY(view->lines.contains(Lookup));
        QVERIFY(!view->lines.contains(ConnectFailed));
        QCOMPARE(view->timerStates, QList<bool>({false, false}));
        QCOMPARE(view->iconHides, 0);
        QVERIFY2(view->enables.isEmpty(), "controls are the caller's business after a success");
    }

    void twoKilobytesShowOneUpdate()
    {
        QVERIFY(download("/2048"));
        QCOMPARE(view->labels, QStringList({Connecting, "1 KB downloaded, 2KB total  (50%)", Done}));
        QCOMPARE(view->bar, QStringList({"value 0", "max 2048", "visible", "value 1024"}));
        QCOMPARE(view->statusBar.mid(0, 1), QStringList({Connecting}));
        QVERIFY(view->statusBar.contains("1 KB downloaded, 2KB total  (50%)"));
    }

    void listTransfer()
    {
        QVERIFY(download("/versions.txt", true, "versions.tmp"));
        QCOMPARE(ReadFile(target("versions.tmp")), QByteArray("1.4.0\t2013-04-01\n"));
        QCOMPARE(view->labels, QStringList({Connecting, ListDownloading, Done}));
        QVERIFY2(view->bar.isEmpty(), qPrintable(view->bar.join(", ")));
        QCOMPARE(view->timerStates, QList<bool>({true, false}));
    }

    void compressingServerSendsThePlainBytes()
    {
        // The fixture must really compress for a client that accepts it.
        QNetworkAccessManager manager;
        manager.setProxy(QNetworkProxy::NoProxy);
        QNetworkRequest request(QUrl(server.url("/compressible")));
        request.setRawHeader("Accept-Encoding", "gzip");
        std::unique_ptr<QNetworkReply> reply(manager.get(request));
        QTRY_VERIFY(reply->isFinished());
        QCOMPARE(reply->rawHeader("Content-Encoding"), QByteArray("gzip"));

        QVERIFY(download("/compressible"));
        QCOMPARE(ReadFile(target()).size(), 200000);
        QVERIFY(view->labels.contains("195 KB downloaded, 195KB total  (99%)"));
    }

    void statusOtherThanSuccessFails_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("isUpdateList");
        QTest::addColumn<QString>("statusLine");
        QTest::newRow("404 with a page, file") << "/missing" << false << "HTTP/1.1 404 Not Found";
        QTest::newRow("404 with a page, list") << "/missing" << true << "HTTP/1.1 404 Not Found";
        QTest::newRow("500, file") << "/broken" << false << "HTTP/1.1 500 Internal Server Error";
    }

    void statusOtherThanSuccessFails()
    {
        QFETCH(QString, path);
        QFETCH(bool, isUpdateList);
        QFETCH(QString, statusLine);
        if (isUpdateList)
            WriteFile(target(), "an older list");

        QVERIFY(!download(path, isUpdateList));
        QVERIFY2(!QFileInfo::exists(target()), "the error page or an old list was left as the target");
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QCOMPARE(view->lines.mid(view->lines.size() - 3), QStringList({NotFound, statusLine, ConnectFailed}));
        QVERIFY(!view->lines.contains(ConnectError));
        QCOMPARE(view->labels.last(), isUpdateList ? ListFailed : FileFailed);
        QCOMPARE(view->enables, QList<bool>({true}));
        QCOMPARE(view->iconHides, isUpdateList ? 0 : 1);
        QVERIFY(!transfer->stillExecuting());
    }

    void bodyCutShortFails_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("progressShown");
        QTest::addColumn<QString>("barMaximum");
        QTest::newRow("8 KB announced") << "/cut"
                                        << "4 KB downloaded, 8KB total  (50%)"
                                        << "max 8192";
        QTest::newRow("3 GiB announced") << "/cut-huge"
                                         << "4 KB downloaded, 3145728KB total  (0%)"
                                         << "max 1610612736";
    }

    void bodyCutShortFails()
    {
        QFETCH(QString, path);
        QFETCH(QString, progressShown);
        QFETCH(QString, barMaximum);
        CurrentDownloadTimings().refreshIntervalMs = 0;
        WriteFile(target(), "the whole archive from an earlier download");

        QVERIFY(!download(path));
        QCOMPARE(ReadFile(target()), QByteArray("the whole archive from an earlier download"));
        QVERIFY(!QFileInfo::exists(target() + ".part"));
        QVERIFY2(view->labels.contains(progressShown), qPrintable(view->labels.join(" | ")));
        QVERIFY2(view->bar.contains(barMaximum), qPrintable(view->bar.join(", ")));
        QCOMPARE(view->labels.last(), FileFailed);
        QCOMPARE(view->lines.last(), ConnectFailed);
        const qsizetype error = view->lines.indexOf(ConnectError);
        QVERIFY2(error >= 0 && error + 1 < view->lines.size() && view->lines.at(error + 1).size() >= 4,
                 qPrintable(view->lines.join(" | ")));
        QCOMPARE(view->iconHides, 1);
    }

    void targetIsNeverPartialWhileReceiving()
    {
        CurrentDownloadTimings().refreshIntervalMs = 0;
        WriteFile(target(), "old");
        int checks = 0;
        QStringList problems;
        view->onLabel = [&](const QString& text) {
            if (!text.contains("KB total"))
                return;
            ++checks;
            if (ReadFile(target()) != "old")
                problems << "target changed at " + text;
            if (!QFileInfo::exists(target() + ".part"))
                problems << "no part file at " + text;
            if (!transfer->stillExecuting())
                problems << "component not executing at " + text;
        };
        QVERIFY(download("/trickle"));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(" | ")));
        QVERIFY2(checks >= 10, qPrintable(QStringLiteral("only %1 progress updates").arg(checks)));
        QCOMPARE(ReadFile(target()), TestHttpServer::GeneratedBytes(0, 20480));
    }

    void progressIsThrottledButEndsOnTheFinalState()
    {
        CurrentDownloadTimings().refreshIntervalMs = 60000;
        QVERIFY(download("/trickle"));
        QCOMPARE(view->labels, QStringList({Connecting, "1 KB downloaded, 20KB total  (5%)",
                                            "19 KB downloaded, 20KB total  (95%)", Done}));
        QCOMPARE(view->bar, QStringList({"value 0", "max 20480", "visible", "value 1024", "value 19456"}));
    }

    void unthrottledProgressShowsEveryChunk()
    {
        CurrentDownloadTimings().refreshIntervalMs = 0;
        QVERIFY(download("/trickle"));
        const QStringList progress = view->labels.filter("KB total");
        QVERIFY2(progress.size() >= 15, qPrintable(progress.join(" | ")));
        QCOMPARE(progress.last(), "19 KB downloaded, 20KB total  (95%)");
        static const QRegularExpression format("^(\\d+) KB downloaded, 20KB total  \\((\\d+)%\\)$");
        int previous = 0;
        for (const QString& text : progress) {
            const QRegularExpressionMatch match = format.match(text);
            QVERIFY2(match.hasMatch(), qPrintable(text));
            QVERIFY2(match.captured(1).toInt() > previous, qPrintable(progress.join(" | ")));
            QCOMPARE(match.captured(2).toInt(), match.captured(1).toInt() * 100 / 20);
            previous = match.captured(1).toInt();
        }
    }

    void listTransferThatNeverAnswersCountsDown()
    {
        view->tickMs = 5;
        WriteFile(target("list.tmp"), "stale");
        QVERIFY(!download("/never", true, "list.tmp"));

        QStringList expected{Connecting};
        for (int n = 14; n >= 2; --n)
            expected << QStringLiteral("Connecting to server... (%1)").arg(n);
        expected << FileFailed << ListFailed;
        QCOMPARE(view->labels, expected);
        QCOMPARE(view->ticks, 14);
        QCOMPARE(int(engine->countdown()), 1);
        QCOMPARE(view->lines.mid(view->lines.size() - 3), QStringList({ConnectFailed, NotFound, ConnectFailed}));
        QVERIFY(!QFileInfo::exists(target("list.tmp")));
        QVERIFY(!view->timer.isActive());
        QVERIFY(!transfer->stillExecuting());
    }

    void fileTransferThatNeverAnswersTimesOut()
    {
        CurrentDownloadTimings().requestTimeoutMs = 300;
        QVERIFY(!download("/never"));
        QCOMPARE(view->labels, QStringList({Connecting, FileFailed}));
        QCOMPARE(view->lines.mid(view->lines.size() - 4),
                 QStringList({ConnectError, "The server did not answer for 0.3 seconds.", NotFound, ConnectFailed}));
        QCOMPARE(view->timerStates, QList<bool>({false, false}));
        QCOMPARE(view->iconHides, 1);
        QVERIFY(!QFileInfo::exists(target()));
    }

    void refusedConnectionLogsTheComponentsText()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QVERIFY(!engine->DownloadFile(QStringLiteral("http://127.0.0.1:%1/file.zip").arg(port), target(), false, 0));
        QCOMPARE(view->lines.mid(0, 2), QStringList({Lookup, Connecting}));
        QCOMPARE(view->lines.mid(view->lines.size() - 4),
                 QStringList({ConnectError, "Connection refused", NotFound, ConnectFailed}));
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

    void pauseIsWaitedBeforeDone()
    {
        QElapsedTimer clock;
        clock.start();
        QVERIFY(engine->DownloadFile(server.url("/2048"), target(), false, 300));
        QVERIFY2(clock.elapsed() >= 300, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(view->labels.last(), Done);
    }
};

class DownloadEventsTest : public QObject
{
    Q_OBJECT

    AppState state;
    FakePlatform platform;
    ScriptedTransfer transfer;
    std::unique_ptr<RecordingDownloadView> view;
    std::unique_ptr<DownloadEngine> engine;

private Q_SLOTS:
    void initTestCase() { LoadEnglish(state); }

    void init()
    {
        view = std::make_unique<RecordingDownloadView>();
        engine = std::make_unique<DownloadEngine>(state, transfer, platform, *view);
    }

    void liveUpdateEvent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("logged");
        QTest::newRow("three characters") << "abc" << false;
        QTest::newRow("three after trimming") << "   abc \t" << false;
        QTest::newRow("blank") << "      " << false;
        QTest::newRow("four characters") << "abcd" << true;
        QTest::newRow("kept with its blanks") << "  Done.  " << true;
    }

    void liveUpdateEvent()
    {
        QFETCH(QString, text);
        QFETCH(bool, logged);
        engine->LiveUpdateEvent(text);
        QCOMPARE(view->lines, logged ? QStringList{text} : QStringList{});
        QCOMPARE(view->statusBar, logged ? QStringList{QString()} : QStringList{});
    }

    void stateChanged_data()
    {
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("resolving") << QList<int>{1} << "" << QStringList{Lookup};
        QTest::newRow("connecting") << QList<int>{3} << "" << QStringList{Connecting};
        QTest::newRow("sending") << QList<int>{5} << "" << QStringList{"Sending request..."};
        QTest::newRow("receiving, repeated") << QList<int>{7, 7, 7} << "" << QStringList{Receiving};
        QTest::newRow("receiving after another line")
            << QList<int>{7, 5, 7} << "" << QStringList{Receiving, "Sending request...", Receiving};
        QTest::newRow("error with a description")
            << QList<int>{11} << "Connection refused" << QStringList{ConnectError, "Connection refused"};
        QTest::newRow("error with a short description") << QList<int>{11} << " 12 " << QStringList{ConnectError};
        QTest::newRow("states without a line") << QList<int>{2, 4, 6, 8, 9, 10, 12, 0, 42} << "" << QStringList{};
    }

    void stateChanged()
    {
        QFETCH(QList<int>, states);
        QFETCH(QString, info);
        QFETCH(QStringList, lines);
        transfer.info = info;
        for (int state : states)
            Q_EMIT transfer.stateChanged(state);
        QCOMPARE(view->lines, lines);
    }

    void prepareConnection_data()
    {
        QTest::addColumn<bool>("offline");
        QTest::addColumn<bool>("queryFails");
        QTest::addColumn<bool>("online");
        QTest::newRow("online") << false << false << true;
        QTest::newRow("offline") << true << false << false;
        QTest::newRow("the query fails") << false << true << true;
    }

    void prepareConnection()
    {
        QFETCH(bool, offline);
        QFETCH(bool, queryFails);
        QFETCH(bool, online);
        platform.offline = offline;
        platform.offlineQueryFails = queryFails;
        state.ConnectionType = 2;
        state.ProxyAddress = "proxy.local";
        state.ProxyPort = 3128;
        state.ProxyUser = "ann";
        state.ProxyPass = "secret";
        transfer.proxies.clear();
        QCOMPARE(engine->PrepareConnection(), online);
        QCOMPARE(transfer.proxies.size(), 1);
        const ProxySettings& proxy = transfer.proxies.first();
        QCOMPARE(proxy.connectionType, 2);
        QCOMPARE(proxy.address, "proxy.local");
        QCOMPARE(proxy.port, quint16(3128));
        QCOMPARE(proxy.user, "ann");
        QCOMPARE(proxy.password, "secret");
    }

    void labelChangeFeedsTheStatusBar()
    {
        engine->SetDownloadStatus("Connecting to server... (5)");
        engine->SetDownloadStatus("Connecting to server... (5)");
        engine->SetDownloadStatus(Done);
        QCOMPARE(view->labels, QStringList({"Connecting to server... (5)", Done}));
        QCOMPARE(view->statusBar, QStringList({"Connecting to server... (5)", Done}));
    }

    void abortEndsTheTransferAsFailed()
    {
        transfer.execute("http://127.0.0.1:1/x");
        engine->AbortDownload(true);
        QVERIFY(!transfer.stillExecuting());
        QCOMPARE(view->lines, QStringList({ConnectFailed}));
        QCOMPARE(view->labels, QStringList({ListFailed}));
        QCOMPARE(view->enables, QList<bool>({true}));
        QCOMPARE(view->timerStates, QList<bool>({false}));
        engine->AbortDownload();
        QCOMPARE(view->labels.last(), FileFailed);
    }
};

KRVNM_REGISTER_TEST(DownloadEngineTest)
KRVNM_REGISTER_TEST(DownloadEventsTest)
#include "DownloadEngineTest.moc"
