#include "InstallFixture.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString UnzipFailed = QStringLiteral("Failed to unzip file, please try again.");
const QString StablePath = QStringLiteral("/binaries/releases/1.4.0/korvane-1.4.0-windows-win32.zip");

} // namespace

// The installations that succeed are toured end to end (tools/tour); here are the
// questions on the way, the cached archive, the failures and which older release goes in.
class BuildInstallTest : public InstallTest
{
    Q_OBJECT

    void serveStable()
    {
        f->server.serveBytes(StablePath, f->buildArchive("1.4.0"));
        f->state.latestStable = "1.4.0";
    }

private Q_SLOTS:
    // Cancel to the warning changes nothing; the tour answers it Ok.
    void nightlyWarningCancelledChangesNothing()
    {
        f->state.latestNightly = "r26400";
        f->view.selectedRow = 2;
        f->answer({Answer::Cancel});
        f->view.lines = {"earlier line"};

        f->installer.installProduct(2);

        QCOMPARE(f->server.requests().size(), 0);
        QCOMPARE(f->messageTexts().size(), 1);
        QCOMPARE(f->view.enables, QList<bool>{});
        QCOMPARE(f->view.lines, QStringList{"earlier line"});
        QCOMPARE(f->view.icons, QStringList{});
    }

    void folderQuestion_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("installedInto");
        QTest::newRow("drive root") << QString("drive_d") << QString("drive_d/Korvane");
        QTest::newRow("drive root, no separator") << QString("drive_d!") << QString("drive_d/Korvane");
        QTest::newRow("ordinary folder") << QString("games") << QString("games");
        QTest::newRow("cancelled") << QString() << QString();
    }
    void folderQuestion()
    {
        QFETCH(QString, picked);
        QFETCH(QString, installedInto);
        const QString driveD = f->folder("drive_d");
        f->platform.driveRoots['D'] = picked.endsWith('!') ? driveD.chopped(1) : driveD;
        f->state.krvnPath.clear();
        serveStable();
        f->dialogs.folders.enqueue(picked.isEmpty() ? QString() : f->folder(picked.remove('!')));
        f->answer({Answer::Ok, Answer::No});

        f->installer.installProduct(0);

        QCOMPARE(f->dialogs.folderTitles, QStringList{"Select the folder where Korvane will be installed."});
        QCOMPARE(f->view.enables, (installedInto.isEmpty() ? QList<bool>{} : QList<bool>{false, true}));
        if (installedInto.isEmpty())
            return;
        QVERIFY(QFileInfo(f->folder(installedInto) + "korvane.exe").isFile());
        // The row's steps; the detection that follows marks it again.
        QCOMPARE(f->view.icons, (QStringList{"0 downloading Downloading...", "0 wait Please wait...",
                                             "0 installed Now Installed", "0 installed Now Installed"}));
    }

    // The message says why, and no base-set question follows: its Yes would clear the
    // lines that explain the failure.
    void failedExtractionNamesItsCauseAndAsksNothingMore()
    {
        f->state.latestStable = "1.4.0";
        f->server.serveBytes(StablePath, "this is no zip archive");
        f->answer({Answer::Ok, Answer::Yes});

        f->installer.installProduct(0);

        QCOMPARE(f->messageTexts(), (QStringList{UnzipFailed + "\r\n\r\nNot a zip archive"}));
        QCOMPARE(f->dialogs.messages.at(0).icon, MessageIcon::Exclamation);
        QCOMPARE(f->view.icons.last(), QStringLiteral("0 error Installation failed"));
        QCOMPARE(f->view.lines.last(), UnzipFailed);
        QVERIFY2(!QFileInfo::exists(f->state.workFolder + "korvane-1.4.0-windows-win32.zip"),
                 "a damaged archive is fetched afresh next time");
        QCOMPARE(f->view.enables, (QList<bool>{false, true}));
    }

    // Refused before any request: no version (a channel the feed lacked), a version that is
    // no plain name (the refused names themselves are listed where the address is built),
    // or no connection. Offline, the controls were never disabled and nothing is reported.
    void refusedBeforeAnyRequest_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("offline");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("icons");
        QTest::newRow("no version") << "" << false << QStringList{} << QStringList{};
        QTest::newRow("no plain name") << "../../elsewhere" << false
                                       << QStringList{"Failed to install new product version."}
                                       << QStringList{"0 error Installation failed"};
        QTest::newRow("offline") << "1.4.0" << true << QStringList{"Failed to connect to server."} << QStringList{};
    }
    void refusedBeforeAnyRequest()
    {
        QFETCH(QString, version);
        QFETCH(bool, offline);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, icons);
        f->state.latestStable = version;
        f->platform.offline = offline;

        f->installer.installProduct(0);

        QCOMPARE(f->server.requests().size(), 0);
        QCOMPARE(f->view.lines, lines);
        QCOMPARE(f->view.label, QLatin1String(offline ? "Failed to install new product version." : "Done."));
        QCOMPARE(f->view.icons, icons);
        QCOMPARE(f->view.enables, (offline ? QList<bool>{true} : QList<bool>{false, true}));
        QCOMPARE(f->reportSources(), offline ? QStringList{} : QStringList{"LiveUpdateNow - ProductID #0"});
        QCOMPARE(QDir(f->state.workFolder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
    }

    // The game running from the folder refuses before anything is fetched; a work folder
    // without room for the announced archive refuses before anything is written; a game
    // folder without room for the staged files refuses once the archive is there, and
    // keeps it. The message names the folder and both sizes.
    void refusedInstallations_data()
    {
        QTest::addColumn<QString>("fullFolder"); // "game" or "work"; none: the game is running
        QTest::addColumn<QString>("message");    // #folder# and #needed# stand for what they say
        QTest::addColumn<bool>("archiveKept");
        const QString noRoom = "Not enough free space on #folder#: #needed# needed, 10 bytes free. Nothing was "
                               "written.";
        QTest::newRow("game running") << QString() << "Korvane is running. Close it, then press Install Now again."
                                      << false;
        QTest::newRow("no room for the download") << "work" << noRoom << false;
        QTest::newRow("no room to stage the files") << "game" << noRoom << true;
    }
    void refusedInstallations()
    {
        QFETCH(QString, fullFolder);
        QFETCH(QString, message);
        QFETCH(bool, archiveKept);
        const bool running = fullFolder.isEmpty();
        serveStable();
        QVERIFY(writeFile(f->state.krvnPath + "korvane.exe", "the old game"));
        const QMap<QString, QByteArray> before = snapshot(f->state.krvnPath);
        if (running)
            f->platform.runningPrograms << f->state.krvnPath + "korvane.exe";
        const QString folder = fullFolder == "work" ? f->state.workFolder : f->state.krvnPath;
        f->platform.freeSpaceFor = [&](const QString& asked) {
            return QDir(asked) == QDir(folder) && !running ? qint64(10) : qint64(-1);
        };
        f->answer({Answer::Ok});

        f->installer.installProduct(0);

        QCOMPARE(f->fileRequests(), running ? QStringList() : QStringList{StablePath});
        QString pattern = QRegularExpression::escape(message);
        pattern.replace(QRegularExpression::escape("#folder#"),
                        QRegularExpression::escape(QDir::toNativeSeparators(QDir(folder).absolutePath())) + "/?");
        pattern.replace(QRegularExpression::escape("#needed#"), R"([0-9.,]+ (bytes|KB)( \([0-9,]+ bytes\))?)");
        const QStringList shown = f->messageTexts() + f->view.lines;
        QVERIFY2(!shown.filter(QRegularExpression("^" + pattern + "$")).isEmpty(), qPrintable(shown.join('\n')));
        QCOMPARE(QFileInfo::exists(f->state.workFolder + "korvane-1.4.0-windows-win32.zip"), archiveKept);
        QCOMPARE(snapshot(f->state.krvnPath), before);
    }

    // The pick itself is checked through the window (MainWindowTest::olderReleasePick).
    void withoutValidSelectionThePreviousPickIsInstalled()
    {
        f->state.olderReleases.clear();
        for (int i = 0; i < 11; ++i)
            f->state.olderReleases.append({QStringLiteral("1.0.%1").arg(i), "2020-01-01"});
        f->state.olderReleases.append(ReleaseRecord{}); // the list's empty closing record
        f->server.serveBytes("/binaries/releases/1.0.2/korvane-1.0.2-windows-win32.zip", f->buildArchive("1.0.2"));
        f->answer({Answer::Ok, Answer::No, Answer::Ok, Answer::No});
        f->view.restoreIndex = 2;
        f->installer.installProduct(Installer::OlderRelease);

        f->view.restoreIndex = -1;
        f->installer.installProduct(Installer::OlderRelease);

        QCOMPARE(f->installer.selectedVersion(), QStringLiteral("1.0.2"));
        QCOMPARE(f->fileRequests().size(), 1);
        QCOMPARE(f->view.lines.last(), QStringLiteral("New version installed successfully."));
        QCOMPARE(f->reportSources(), QStringList{"LiveUpdateNow - ProductID #3"});
    }

    // A release older than the installed one is installed only after a Yes to a question
    // that names both versions, No being the default.
    void goingBackIsAskedFirst_data()
    {
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<std::optional<Answer>>("answer"); // none: no question is asked
        const auto row = [](const char* name, const QString& installed, const QString& picked,
                            std::optional<Answer> answer) { QTest::newRow(name) << installed << picked << answer; };
        row("older, No", "1.4.0", "1.3.3", Answer::No);
        row("older, Yes", "1.4.0", "1.3.3", Answer::Yes);
        row("beta of the installed release", "1.4.0", "1.4.0-beta5", Answer::No);
        row("numbers, not text", "1.9.0", "1.10.0", {});
        row("the installed one", "1.4.0", "1.4.0", {});
        row("newer", "1.4.0", "1.4.1", {});
    }
    void goingBackIsAskedFirst()
    {
        QFETCH(QString, installed);
        QFETCH(QString, picked);
        QFETCH(std::optional<Answer>, answer);
        f->state.olderReleases = {ReleaseRecord{picked, "2012-01-01"}, ReleaseRecord{}};
        f->view.restoreIndex = 0;
        f->state.krvnVersion = installed;
        f->server.serveBytes("/binaries/releases/" + picked + "/korvane-" + picked + "-windows-win32.zip",
                             f->buildArchive(picked));
        if (answer)
            f->dialogs.answers.enqueue(*answer);
        f->answer({Answer::Ok, Answer::No});

        f->installer.installProduct(Installer::OlderRelease);

        const bool goesOn = answer.value_or(Answer::Yes) == Answer::Yes;
        QCOMPARE(f->fileRequests().size(), goesOn ? 1 : 0);
        QCOMPARE(f->view.enables, goesOn ? QList<bool>({false, true}) : QList<bool>());
        if (!answer)
            return;
        const MessageRequest& question = f->dialogs.messages.first();
        QCOMPARE(question.text, "Korvane " + picked + " is older than the installed version " + installed +
                                    ". Do you really want to go back to the older version?");
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.defaultButton, std::optional(Answer::No));
        QCOMPARE(question.icon, MessageIcon::Question);
    }
};

KRVNM_REGISTER_TEST(BuildInstallTest)
#include "BuildInstallTest.moc"
