// The program composed with the real game detection, download engine and transfer
// component: what a user does from the window reaches each of them.

#include "AppFixture.h"
#include "GameFixture.h"
#include "TestFiles.h"
#include "TestHttpServer.h"
#include "TestMain.h"
#include "app/StringIds.h"
#include "install/ArchiveSource.h"
#include "ui/VersionRowsPanel.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// The game as stored by an earlier run: korvane.exe of that version in a folder of its own.
QString storeGame(AppFixture& app, const QString& version)
{
    const QString folder = QDir::toNativeSeparators(app.temp.filePath(QStringLiteral("Korvane"))) + QDir::separator();
    writeGame(folder, QStringLiteral("korvane.exe"), version);
    app.settings.values.insert(QStringLiteral("KRVNPath"), folder);
    return folder;
}

void useServer(AppFixture& app, const TestHttpServer& server)
{
    for (const char* key : {"FEEDSERVER", "BUILDSERVER", "MAKERSERVER"})
        app.settings.values.insert(QLatin1String(key), server.url());
}

} // namespace

class MainWindowWiringTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The stored game is identified at start-up (its row shows as installed) and Run
    // launches it in its folder, leaving through the normal shutdown.
    void runLaunchesTheStoredGame()
    {
        AppFixture app;
        const QString folder = storeGame(app, QStringLiteral("1.4.0"));
        MainWindow& window = app.startWindow();
        QVERIFY(!window.findChild<QLabel*>("imgStatus0")->isHidden());

        window.show();
        window.findChild<QPushButton*>("cmdRun")->click();
        QCOMPARE(app.platform.launches.size(), 1);
        QCOMPARE(app.platform.launches.first().program, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(app.platform.launches.first().workingFolder, folder);
        QVERIFY(!window.isVisible());
        QCOMPARE(app.platform.processEnds, 1);
        QVERIFY(app.errors.reports.isEmpty());
    }

    // Closing the window while an archive is being unpacked asks first (string 51, "No"
    // first); answered No, the window stays.
    void closingMidExtractionAsksFirst()
    {
        // No checksum is published; the archive in the work folder is the one this program
        // downloaded, so it is unpacked without a download.
        TestHttpServer server;
        QVERIFY(server.start());
        AppFixture app(true);
        useServer(app, server);
        MainWindow& window = app.startWindow();
        app.state->krvnPath = app.temp.filePath(QStringLiteral("Korvane")) + QDir::separator();
        app.state->latestStable = QStringLiteral("1.5.0");
        app.state->catalogueLoaded = true;
        const QString archive = ArchiveSource::archiveName(app.state->platformIndex, "1.5.0");
        QVERIFY(writeFile(app.state->workFolder + archive, "x"));
        app.settings.writeItem(SettingKey::ArchiveDigest, archive,
                               QString::fromLatin1(QCryptographicHash::hash("x", QCryptographicHash::Sha256).toHex()));
        window.show();
        auto* list = window.findChild<QListWidget*>("lstStatus");
        QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, &window, [&](auto&, int first, int) {
            if (list->item(first)->text() == app.state->str(Str::InstallingNewVersion))
                window.close();
        });
        window.versionRows().setRowEnabled(0, true); // offered, as after a check
        window.findChild<QRadioButton*>("optGet0")->click();
        window.findChild<QPushButton*>("cmdLU")->click();
        const MessageRequest question{app.state->str(Str::ExitWhileDownloading), MessageIcon::Exclamation,
                                      MessageButtons::YesNo, Answer::No};
        QCOMPARE(app.dialogs.messages.value(0), question);
        QVERIFY(window.isVisible());
        QCOMPARE(app.platform.processEnds, 0);
    }

    // Check for Updates offers each row once its channel is found: a feed without the beta
    // line leaves the beta row disabled and unmarked (a beta is stored from before), and the
    // older-release list, filled with the installed release first, marks row 3 as installed.
    // The day's self-update check follows, once; a change-log link opens the page of its
    // row's release on the left button.
    void checkForUpdatesOffersWhatTheFeedFound()
    {
        TestHttpServer server;
        QVERIFY(server.start());
        server.serveBytes(QStringLiteral("/versions.txt"),
                          "1.5.0\t2015-01-01\tstable\nr27000\t2015-02-03\tnightlies\n");
        QByteArray listing = "<table>";
        for (int minor = 0; minor < 11; ++minor)
            listing += QStringLiteral("<tr><td><a href=\"1.3.%1/\">1.3.%1/</a></td><td>2012-01-%2 10:00 </td></tr>")
                           .arg(minor)
                           .arg(minor + 10)
                           .toUtf8();
        server.serveBytes(QStringLiteral("/binaries/releases/"), listing + "</table>");
        server.serveBytes(QStringLiteral("/files/updates.php"), "[KRVNM]\nversion=1.0.4\n");
        AppFixture app(true);
        useServer(app, server);
        app.settings.values.insert("LatestBeta", "1.5.0-beta2");
        storeGame(app, QStringLiteral("1.3.0"));
        MainWindow& window = app.startWindow();
        const auto option = [&](int row) { return window.findChild<QRadioButton*>("optGet" + QString::number(row)); };
        const auto link = [&](int row) { return window.findChild<QLabel*>("lblVersionInfo" + QString::number(row)); };
        const auto icon = [&](int row) { return window.findChild<QLabel*>("imgStatus" + QString::number(row)); };
        for (int row = 0; row < 4; ++row) {
            QVERIFY2(!option(row)->isEnabled() && !option(row)->isChecked(), qPrintable(option(row)->objectName()));
            QVERIFY(!link(row)->isEnabled());
        }

        window.findChild<QPushButton*>("cmdLU")->click();
        QVERIFY(app.state->catalogueLoaded);
        QVERIFY(!option(1)->isEnabled() && !link(1)->isEnabled());
        QVERIFY(icon(1)->isHidden());
        QCOMPARE(app.settings.values.value(QStringLiteral("LatestBeta")), QStringLiteral("1.5.0-beta2"));
        for (int row : {0, 2, 3})
            QVERIFY2(option(row)->isEnabled() && link(row)->isEnabled(), qPrintable(option(row)->objectName()));
        QVERIFY(option(0)->isChecked());
        QVERIFY(!icon(3)->isHidden());
        QCOMPARE(icon(3)->toolTip(), QStringLiteral("Now Installed"));
        QVERIFY2(app.state->selfCheckDone, "the daily self-update check followed");
        int queries = 0;
        for (const TestHttpServer::Request& request : server.requests())
            queries += request.path.startsWith(QLatin1String("/files/updates.php"));
        QCOMPARE(queries, 1);
        QVERIFY(app.errors.reports.isEmpty());

        QTest::mouseClick(link(0), Qt::RightButton);
        QTest::mouseClick(link(2), Qt::LeftButton);
        QTest::mouseClick(link(0), Qt::LeftButton);
        QCOMPARE(app.platform.opened, (QStringList{server.url("/binaries/nightlies/trunk/r27000/changelog.txt"),
                                                   server.url("/binaries/releases/1.5.0/changelog.txt")}));
    }
};

KRVNM_REGISTER_TEST(MainWindowWiringTest)
#include "MainWindowWiringTest.moc"
