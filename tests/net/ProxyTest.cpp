#include "NetTestSupport.h"
#include "TestMain.h"
#include "TinyProxy.h"

class ProxyTest : public QObject, public NetFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.serveBytes("/2048", TestHttpServer::generatedBytes(0, 2048));
    }

    void downloadsThroughTheNamedProxy_data()
    {
        QTest::addColumn<QStringList>("setting"); // the proxy's BasicAuth, then the user and password given
        QTest::addColumn<bool>("authenticate");   // `UseProxyAuth`
        QTest::addColumn<bool>("passes");
        QTest::newRow("open proxy") << QStringList{"", "", ""} << false << true;
        QTest::newRow("right credentials") << QStringList{"ann s3cret", "ann", "s3cret"} << true << true;
        QTest::newRow("wrong password") << QStringList{"ann s3cret", "ann", "guess"} << true << false;
        QTest::newRow("no credentials") << QStringList{"ann s3cret", "", ""} << true << false;
        QTest::newRow("credentials kept, authentication off")
            << QStringList{"ann s3cret", "ann", "s3cret"} << false << false;
    }

    void downloadsThroughTheNamedProxy()
    {
        QFETCH(QStringList, setting);
        QFETCH(bool, authenticate);
        QFETCH(bool, passes);
        TinyProxy proxy;
        const QString problem = proxy.start(temp.path(), setting[0]);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        state.connectionType = 2;
        state.proxyAddress = "127.0.0.1";
        state.proxyPort = proxy.port;
        state.proxyUser = setting[1];
        state.proxyPass = setting[2];
        state.useProxyAuth = authenticate ? 1 : 0;
        EngineRig rig(*this);
        const QString target = temp.filePath("proxied.bin");
        QFile::remove(target);
        const int before = server.requests().size();

        QCOMPARE(rig.engine.downloadFile(server.url("/2048"), target, false, 0), passes);
        QCOMPARE(readFile(target), passes ? TestHttpServer::generatedBytes(0, 2048) : QByteArray());
        QCOMPARE(server.requests().size(), before + (passes ? 1 : 0));
        if (passes) {
            QVERIFY(server.requests().last().headers.value("via").contains("tinyproxy"));
        } else {
            QCOMPARE(rig.view.lines.last(), English::ConnectFailed);
            QCOMPARE(rig.view.labels.last(), English::FileFailed);
        }
    }
};

KRVNM_REGISTER_TEST(ProxyTest)
#include "ProxyTest.moc"
