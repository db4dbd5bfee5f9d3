#include "FakePlatform.h"
#include "NetTestSupport.h"
#include "RecordingDownloadView.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "net/DownloadEngine.h"
#include "net/QtTransferComponent.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace {

// tinyproxy on loopback, in the foreground, as a child process with a config of its own.
class TinyProxy
{
public:
    ~TinyProxy() { stop(); }

    // Empty when it runs; otherwise what went wrong.
    QString start(const QString& folder, const QString& basicAuth)
    {
        const QString program =
            QStandardPaths::findExecutable("tinyproxy", {"/usr/bin", "/usr/sbin", "/usr/local/bin", "/usr/local/sbin"});
        if (program.isEmpty())
            return "tinyproxy is not installed";
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return "no free port";
        port = probe.serverPort();
        probe.close();

        const QString config = QDir(folder).filePath("tinyproxy.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return "cannot write " + config;
        QString text = QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 30\nAllow 127.0.0.1\nMaxClients 20\n"
                                      "LogLevel Info\n")
                           .arg(port);
        if (!basicAuth.isEmpty())
            text += "BasicAuth " + basicAuth + "\n";
        file.write(text.toUtf8());
        file.close();

        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, {"-d", "-c", config});
        if (!process.waitForStarted(5000))
            return "tinyproxy did not start: " + process.errorString();
        for (int attempt = 0; attempt < 100; ++attempt) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            if (socket.waitForConnected(100))
                return {};
            if (process.state() != QProcess::Running)
                break;
            QTest::qWait(50);
        }
        return "tinyproxy is not listening: " + QString::fromLocal8Bit(process.readAll());
    }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(3000)) {
            process.kill();
            process.waitForFinished(3000);
        }
    }

    quint16 port = 0;
    QProcess process;
};

} // namespace

class ProxyTest : public QObject
{
    Q_OBJECT

    TestHttpServer server;
    QTemporaryDir temp;
    AppState state;
    FakePlatform platform;

    struct Run
    {
        bool result = false;
        RecordingDownloadView view;
    };

    // Downloads /2048 through the named proxy with the given credentials.
    void downloadThrough(quint16 proxyPort, const QString& user, const QString& password, Run& run)
    {
        QtTransferComponent transfer;
        DownloadEngine engine(state, transfer, platform, run.view);
        state.ConnectionType = 2;
        state.ProxyAddress = "127.0.0.1";
        state.ProxyPort = proxyPort;
        state.ProxyUser = user;
        state.ProxyPass = password;
        QVERIFY(engine.PrepareConnection());
        QFile::remove(temp.filePath("proxied.bin"));
        run.result = engine.DownloadFile(server.url("/2048"), temp.filePath("proxied.bin"), false, 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        LoadEnglish(state);
        QVERIFY(server.start());
        server.serveBytes("/2048", TestHttpServer::GeneratedBytes(0, 2048));
    }

    void downloadsThroughANamedProxy()
    {
        TinyProxy proxy;
        const QString problem = proxy.start(temp.path(), {});
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        Run run;
        downloadThrough(proxy.port, {}, {}, run);
        QVERIFY2(run.result, qPrintable(run.view.lines.join(" | ")));
        QCOMPARE(ReadFile(temp.filePath("proxied.bin")), TestHttpServer::GeneratedBytes(0, 2048));
        const QString via = server.lastRequestHeaders("/2048").value("via");
        QVERIFY2(via.contains("tinyproxy"), qPrintable("the request did not pass the proxy; Via: " + via));
        QCOMPARE(server.lastRequestHeaders("/2048").value("accept-encoding"), "identity");
    }

    void proxyWithBasicAuthentication_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("passes");
        QTest::newRow("right credentials") << "ann"
                                           << "s3cret" << true;
        QTest::newRow("wrong password") << "ann"
                                        << "guess" << false;
        QTest::newRow("no credentials") << ""
                                        << "" << false;
    }

    void proxyWithBasicAuthentication()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, passes);
        TinyProxy proxy;
        const QString problem = proxy.start(temp.path(), "ann s3cret");
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        const int before = server.requests().size();
        Run run;
        downloadThrough(proxy.port, user, password, run);
        QCOMPARE(run.result, passes);
        if (passes) {
            QCOMPARE(ReadFile(temp.filePath("proxied.bin")), TestHttpServer::GeneratedBytes(0, 2048));
            QVERIFY(server.lastRequestHeaders("/2048").value("via").contains("tinyproxy"));
            return;
        }
        QCOMPARE(server.requests().size(), before);
        QVERIFY(!QFileInfo::exists(temp.filePath("proxied.bin")));
        QVERIFY(!QFileInfo::exists(temp.filePath("proxied.bin.part")));
        QCOMPARE(run.view.lines.last(), "Failed to connect to server.");
        QCOMPARE(run.view.labels.last(), "Failed to install new product version.");
        QCOMPARE(run.view.enables, QList<bool>({true}));
    }
};

KRVNM_REGISTER_TEST(ProxyTest)
#include "ProxyTest.moc"
