#include "MirrorWriter.h"
#include "NginxServer.h"
#include "PeFixtureWriter.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "TinyProxy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The tour of the whole job (tools/tour) over a mirror that nginx serves, straight or
// through a proxy that asks for Basic authentication.
class EndToEndTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tourEndsRight_data()
    {
        QTest::addColumn<QString>("proxyAuth"); // the proxy's user and password; empty: no proxy
        QTest::newRow("nginx") << QString();
        QTest::newRow("nginx through tinyproxy with Basic auth") << "ann s3cret";
    }

    void tourEndsRight()
    {
        QFETCH(QString, proxyAuth);
        QTemporaryDir sandbox;
        const QDir root(sandbox.path());
        for (const char* folder :
             {"mirror", "cache", "runtime", "wine/drive_c/windows", "wine/drive_c/korvane", "wine/dosdevices"})
            QVERIFY(root.mkpath(QString::fromLatin1(folder)));
        QVERIFY(QFile::link("../drive_c", root.filePath("wine/dosdevices/c:")));
        QFile::setPermissions(root.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        std::string error;
        QVERIFY2(writeMirror(root.filePath("mirror").toStdString(), MirrorCatalogue{}, error), error.c_str());
        NginxServer nginx;
        QString problem = nginx.start(root.filePath("nginx"), root.filePath("mirror"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        TinyProxy proxy;
        QString settings =
            QStringLiteral("[General]\nFEEDSERVER=%1\nBUILDSERVER=%1\nMAKERSERVER=%1\n").arg(nginx.baseAddress());
        if (!proxyAuth.isEmpty()) {
            problem = proxy.start(root.filePath("proxy"), proxyAuth);
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
            settings += QStringLiteral("CONNECTIONTYPE=2\nUSEPROXYAUTH=1\nPROXYADDRESS=127.0.0.1\nPROXYPORT=%1\n"
                                       "PROXYUSER=%2\nPROXYPASS=%3\n")
                            .arg(proxy.port)
                            .arg(proxyAuth.section(' ', 0, 0), proxyAuth.section(' ', 1));
        }
        QVERIFY(writeFile(root.filePath("config/Quillon Works/KRVNM.conf"), settings.toUtf8()));
        // An older game for the drive search to find.
        pefixture::PeLayout game;
        game.versionResource = pefixture::buildVersionInfo(pefixture::standardVersion(u"1.3.2"));
        QVERIFY(pefixture::WriteFile(root.filePath("wine/drive_c/korvane/korvane.exe").toStdString(),
                                     pefixture::buildPe(game).bytes));

        QProcess tour;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", root.filePath("config"));
        environment.insert("XDG_CACHE_HOME", root.filePath("cache"));
        environment.insert("XDG_RUNTIME_DIR", root.filePath("runtime"));
        environment.insert("WINEPREFIX", root.filePath("wine"));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        tour.setProcessEnvironment(environment);
        tour.setProcessChannelMode(QProcess::MergedChannels);
        tour.start(KRVNM_TOUR_PROGRAM, {"--screenshots", root.filePath("screenshots")});
        QVERIFY(tour.waitForFinished(240000));
        // The stages that did not end right, with what the window showed.
        const QStringList failed =
            QString::fromUtf8(tour.readAll()).split('\n').filter(QRegularExpression("^\\[FAILED\\]|^Last error"));
        QVERIFY2(tour.exitStatus() == QProcess::NormalExit && tour.exitCode() == 0, qPrintable(failed.join('\n')));

        // Everything came from nginx, and through the proxy when one was set.
        const QStringList log = nginx.accessLog();
        for (const char* once : {"GET /versions.txt ", "GET /binaries/releases/ ", "GET /files/krvnm_baseset.zip ",
                                 "GET /files/updates.php?idprod=krvnm&version="})
            QVERIFY2(log.filter(QLatin1String(once)).size() == 1, once);
        // Four builds, each checked against its published checksum; the beta's download is
        // cancelled, resumed and cut off, and resumed again with the rest of the file, and its
        // reinstallation after the undo checks the kept archive against the checksum again
        // instead of downloading it, as does the nightly's after its cancelled unpacking.
        const QRegularExpression build("GET /binaries/(releases|nightlies/trunk)/[^/]+/korvane-[^ ]+\\.zip ");
        const QStringList builds = log.filter(build);
        QVERIFY2(builds.size() == 6, qPrintable(builds.join('\n')));
        QCOMPARE(builds.filter("status=206").size(), 2);
        QCOMPARE(log.filter(QRegularExpression("\\.zip\\.sha256 .* status=200$")).size(), 9);
        QCOMPARE(log.filter("(tinyproxy/").size(), proxyAuth.isEmpty() ? 0 : log.size());
    }
};

KRVNM_REGISTER_TEST(EndToEndTest)
#include "EndToEndTest.moc"
