#include "NetTestSupport.h"
#include "NginxServer.h"
#include "TestMain.h"

#include <QDir>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>

// https through nginx with a certificate only this process trusts; an answer
// that sends a secure address to an insecure one is refused.
class SecureDownloadTest : public QObject, public NetFixture
{
    Q_OBJECT

    NginxServer nginx;
    const QByteArray body = TestHttpServer::generatedBytes(0, 300000);

private Q_SLOTS:
    void initTestCase()
    {
        const QDir root(temp.path());
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                                  "/CN=127.0.0.1", "-addext", "subjectAltName = IP:127.0.0.1", "-keyout",
                                  root.filePath("server.key"), "-out", root.filePath("server.pem")});
        QVERIFY2(openssl.waitForFinished(60000) && openssl.exitCode() == 0, openssl.readAll().constData());
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificates(QSslCertificate::fromPath(root.filePath("server.pem")));
        QSslConfiguration::setDefaultConfiguration(trusting);

        QVERIFY(server.start());
        server.serveBytes("/archive.zip", body);
        QVERIFY(writeFile(root.filePath("www/archive.zip"), body));
        const QString started = nginx.start(
            root.filePath("nginx"), root.filePath("www"), root.filePath("server.pem"), root.filePath("server.key"),
            QStringLiteral("    location = /to-plain.zip { return 302 %1; }\n").arg(server.url("/archive.zip")));
        QVERIFY2(started.isEmpty(), qPrintable(started));
    }

    void followsOnlySecureAddresses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("fetched");
        QTest::newRow("https") << "/archive.zip" << true;
        QTest::newRow("https redirected to http") << "/to-plain.zip" << false;
    }
    void followsOnlySecureAddresses()
    {
        QFETCH(QString, path);
        QFETCH(bool, fetched);
        EngineRig rig(*this);
        const QString target = temp.filePath("archive.zip");
        QFile::remove(target);
        const int plainRequests = server.requests().size();

        QCOMPARE(rig.engine.downloadFile(nginx.baseAddress() + path, target, false, 0), fetched);

        QVERIFY(nginx.baseAddress().startsWith("https://"));
        QCOMPARE(readFile(target), fetched ? body : QByteArray());
        QCOMPARE(server.requests().size(), plainRequests);
        if (!fetched)
            QCOMPARE(rig.view.labels.last(), English::FileFailed);
    }
};

KRVNM_REGISTER_TEST(SecureDownloadTest)
#include "SecureDownloadTest.moc"
