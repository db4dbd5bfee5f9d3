#include "detect/GameDetection.h"
#include "FakeServices.h"
#include "GameFixture.h"
#include "RecordingDetectionView.h"
#include "TestMain.h"
#include "app/AppState.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString Sep = QDir::separator();

QString Folder(const QString& path)
{
    return QDir::toNativeSeparators(path) + QDir::separator();
}

struct Fixture : FakeServices
{
    Fixture()
    {
        for (int n = 1; n <= AppState::LanguageStringCount; ++n)
            state.LanguageStrings[static_cast<size_t>(n)] = QStringLiteral("str%1").arg(n);
        state.LanguageStrings[47] = QStringLiteral("str47 #1#");
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
            platform.driveRoots.insert(QChar(letter), Folder(temp.filePath(QString(QChar(letter)))));
    }

    // The game at the standard location of a drive of the given type.
    void InstallOnDrive(QChar letter, sysapi::DriveType type)
    {
        platform.driveTypes.insert(letter, type);
        WriteGame(platform.driveRoots.value(letter) + QStringLiteral("korvane"), QStringLiteral("korvane.exe"),
                  QStringLiteral("1.4.0"));
    }

    // A folder holding the game executable name with version, taken as KrvnPath.
    QString StoreGame(const QString& folderName, const QString& name, const QString& version)
    {
        const QString folder = GameFolder(folderName);
        WriteGame(folder, name, version);
        state.KrvnPath = folder;
        return folder;
    }

    QString GameFolder(const QString& name) { return Folder(temp.filePath(name)); }

    // Each message box as "text icon buttons title".
    QStringList Messages() const
    {
        static const char* const icons[] = {"None", "Information", "Exclamation", "Critical", "Question"};
        QStringList shown;
        for (const MessageRequest& m : dialogs.messages)
            shown << QStringLiteral("%1 %2 %3 %4")
                         .arg(m.text, QLatin1String(icons[int(m.icon)]),
                              m.buttons == MessageButtons::Ok ? QStringLiteral("OK") : QStringLiteral("other"),
                              m.title);
        return shown;
    }

    AppState state;
    RecordingDetectionView view;
    GameDetection detection{state, services, view};
};

QList<QChar> Letters(char16_t from, char16_t to)
{
    QList<QChar> letters;
    for (char16_t c = from; c <= to; ++c)
        letters.append(QChar(c));
    return letters;
}

} // namespace

class GameDetectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void driveSearch_data()
    {
        QTest::addColumn<QString>("drives"); // letter, type (F fixed, R removable, N network, O optical, M RAM)
        QTest::addColumn<QString>("winner"); // empty: not found
        const auto row = [](const char* name, const char* drives, const char* winner) {
            QTest::newRow(name) << QString::fromLatin1(drives) << QString::fromLatin1(winner);
        };
        row("fixed D only", "DF", "D");
        row("removable drive only", "ER", "");
        row("C and E both fixed", "CF EF", "C");
        row("removable C before fixed E", "CR EF", "E");
        row("network, optical and RAM drives never qualify", "CN DO EM", "");
        row("fixed Z, the last letter", "ZF", "Z");
        row("A and B are never examined", "AF BF", "");
    }

    void driveSearch()
    {
        QFETCH(QString, drives);
        QFETCH(QString, winner);
        Fixture f;
        const QHash<QChar, sysapi::DriveType> types{{u'F', sysapi::DriveType::Fixed},
                                                    {u'R', sysapi::DriveType::Removable},
                                                    {u'N', sysapi::DriveType::Remote},
                                                    {u'O', sysapi::DriveType::CdRom},
                                                    {u'M', sysapi::DriveType::RamDisk}};
        for (const QString& drive : drives.split(u' '))
            f.InstallOnDrive(drive[0], types.value(drive[1]));
        // A fixed C: without the game is passed over.
        f.platform.driveTypes.insert(u'C', f.platform.driveTypes.value(u'C', sysapi::DriveType::Fixed));

        f.detection.FindKRVNPath();

        const QList<QChar> examined = Letters(u'C', winner.isEmpty() ? u'Z' : winner[0].unicode());
        QCOMPARE(f.platform.driveTypeQueries, examined);
        QCOMPARE(f.platform.driveRootQueries, examined);
        const QString folder =
            winner.isEmpty() ? QString() : f.platform.driveRoots.value(winner[0]) + QStringLiteral("korvane") + Sep;
        QCOMPARE(f.state.KrvnPath, folder);
        QCOMPARE(f.state.KrvnExe, winner.isEmpty() ? QString() : folder + QStringLiteral("korvane.exe"));
        QCOMPARE(f.view.versionText, winner.isEmpty() ? QStringLiteral("str46") : QStringLiteral("str47 1.4.0"));
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), folder);
        QCOMPARE(f.view.calls.last(), QStringLiteral("SetStatusBar()"));
        QVERIFY(f.errors.reports.isEmpty());
    }

    // With no drive found, an earlier folder stays; the identification decides about it.
    void driveSearchKeepsEarlierFolder()
    {
        Fixture f;
        const QString folder = f.StoreGame(QStringLiteral("games/korvane"), QStringLiteral("korvane.exe"), "r26400");
        f.detection.FindKRVNPath();
        QCOMPARE(f.state.KrvnPath, folder);
        QCOMPARE(f.state.KrvnVersion, QStringLiteral("r26400"));
    }

    void executableInFolder()
    {
        Fixture f;
        QCOMPARE(f.detection.GetKRVNExe(), QString());

        const QString folder = f.GameFolder(QStringLiteral("game"));
        f.state.KrvnPath = folder;
        QVERIFY(QDir().mkpath(folder + QStringLiteral("korvane.exe/inner"))); // a folder, not a program
        QCOMPARE(f.detection.GetKRVNExe(), QString());

        WriteGame(folder, QStringLiteral("ttd.exe"), QStringLiteral("0.7.5"));
        QCOMPARE(f.detection.GetKRVNExe(), folder + QStringLiteral("ttd.exe"));

        QVERIFY(QDir(folder + QStringLiteral("korvane.exe")).removeRecursively());
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0"));
        QCOMPARE(f.detection.GetKRVNExe(), folder + QStringLiteral("korvane.exe"));
    }

    void folderPicker_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        const QString games = QDir::toNativeSeparators(QDir::rootPath() + QStringLiteral("games/korvane"));
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("a folder gets one separator") << games << games + Sep;
        QTest::newRow("a folder already ending in one") << games + Sep << games + Sep;
        QTest::newRow("a drive root gets no second one") << root << root;
        QTest::newRow("Qt's forward slashes") << QDir::rootPath() + QStringLiteral("games/korvane") << games + Sep;
        QTest::newRow("cut at the first NUL") << games + QChar(u'\0') + QStringLiteral("junk") << games + Sep;
        QTest::newRow("only a NUL") << QString(QChar(u'\0')) << QString();
    }

    void folderPicker()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        Fixture f;
        f.dialogs.folders.enqueue(answer);
        QCOMPARE(f.detection.BrowseForFolder(nullptr, QStringLiteral("Choose")), expected);
        QCOMPARE(f.dialogs.folderTitles, QStringList{QStringLiteral("Choose")});
    }

    void identificationOfFoundGame()
    {
        Fixture f;
        const QString folder = f.StoreGame(QStringLiteral("game"), QStringLiteral("korvane.exe"), "1.4.0-beta5");
        f.state.LatestStable = QStringLiteral("1.3.0");
        f.state.LatestBeta = QStringLiteral("1.4.0-beta5");
        const qint64 size = QFileInfo(folder + QStringLiteral("korvane.exe")).size();

        f.detection.GetKRVNVersion();

        QCOMPARE(f.state.KrvnExe, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0-beta5"));
        QCOMPARE(f.state.KrvnExeSize, size);
        const QStringList expectedCalls{
            "lblVersion=str49", "lblVersion=str47 1.4.0-beta5",
            "cmdRun=on",        "SetStatusBar()",
            "optGet(1)",        QStringLiteral("SetStatusIcon(1,%1,str85)").arg(int(StatusPicture::Installed)),
            "SetStatusBar()"};
        QCOMPARE(f.view.calls, expectedCalls);
        QStringList writes;
        for (const auto& [key, value] : f.settings.writes)
            writes << key + u'=' + value;
        QCOMPARE(writes, (QStringList{QStringLiteral("KRVNPath=") + folder, QStringLiteral("KRVNVersion=1.4.0-beta5"),
                                      QStringLiteral("KRVNVersionSize=%1").arg(size)}));
        QVERIFY(f.errors.reports.isEmpty());
    }

    void channelMatch_data()
    {
        QTest::addColumn<QString>("installed");  // null: no version resource
        QTest::addColumn<QStringList>("latest"); // stable, beta, nightly
        QTest::addColumn<int>("row");            // -1: no row marked
        const QStringList usual{"1.4.0", "1.4.0-beta5", "r26400"};
        QTest::newRow("stable") << "1.4.0" << usual << 0;
        QTest::newRow("beta") << "1.4.0-beta5" << usual << 1;
        QTest::newRow("nightly") << "r26400" << usual << 2;
        QTest::newRow("equal to stable and beta: row 0") << "1.4.0" << QStringList{"1.4.0", "1.4.0", "r1"} << 0;
        QTest::newRow("equal to beta and nightly: row 1") << "r1" << QStringList{"1.4.0", "r1", "r1"} << 1;
        QTest::newRow("no channel") << "1.3.0" << usual << -1;
        QTest::newRow("exact text only") << "1.4.0 " << QStringList{"1.4.0", "1.4.0", "1.4.0"} << -1;
        QTest::newRow("case matters") << "R26400" << QStringList{"", "", "r26400"} << -1;
        QTest::newRow("no version before any release check") << QString() << QStringList{"", "", ""} << -1;
    }

    void channelMatch()
    {
        QFETCH(QString, installed);
        QFETCH(QStringList, latest);
        QFETCH(int, row);
        Fixture f;
        f.StoreGame(QStringLiteral("game"), QStringLiteral("korvane.exe"), installed);
        f.state.LatestStable = latest[0];
        f.state.LatestBeta = latest[1];
        f.state.LatestNightly = latest[2];

        f.detection.GetKRVNVersion();

        QStringList marks;
        for (const QString& call : f.view.calls)
            if (call.startsWith(QStringLiteral("optGet")) || call.startsWith(QStringLiteral("SetStatusIcon")))
                marks.append(call);
        QStringList expected;
        if (row >= 0)
            expected =
                QStringList{QStringLiteral("optGet(%1)").arg(row),
                            QStringLiteral("SetStatusIcon(%1,%2,str85)").arg(row).arg(int(StatusPicture::Installed))};
        QCOMPARE(marks, expected);
    }

    void baseSetFolder_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("folder");
        for (const char* version : {"1.4.0", "r26400", "1.2.0-beta1", "2.0"})
            QTest::newRow(version) << QString::fromLatin1(version) << "baseset";
        for (const char* version : {"1.1.5", "0.7.5", "beta", "2"})
            QTest::newRow(version) << QString::fromLatin1(version) << "data";
        QTest::newRow("1.10.0 reads 11") << "1.10.0"
                                         << "data";
        QTest::newRow("no version resource") << QString() << "data";
    }

    void baseSetFolder()
    {
        QFETCH(QString, version);
        QFETCH(QString, folder);
        Fixture f;
        const QString game = f.StoreGame(QStringLiteral("game"), QStringLiteral("korvane.exe"), version);
        f.detection.GetKRVNVersion();
        QCOMPARE(f.state.KrvnVersion, version.isNull() ? QString() : version);
        QCOMPARE(f.state.BaseSetFolder, game + folder + Sep);
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersion")), f.state.KrvnVersion);
    }

    // A stored folder that no longer holds the game: cleared in memory only (unless kept),
    // and no drive search at start-up.
    void storedFolderWithoutGame()
    {
        Fixture f;
        f.InstallOnDrive(u'C', sysapi::DriveType::Fixed);
        const QString gone = f.GameFolder(QStringLiteral("gone"));
        f.settings.values.insert(QStringLiteral("KRVNPath"), gone);
        f.state.KrvnPath = gone;
        f.state.KrvnVersion = QStringLiteral("1.3.0");
        f.state.BaseSetFolder = gone + QStringLiteral("baseset") + Sep;

        f.detection.DetectAtStartup();

        QCOMPARE(f.state.KrvnPath + f.state.KrvnExe + f.state.KrvnVersion + f.state.BaseSetFolder, QString());
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), gone);
        QVERIFY(f.settings.writes.isEmpty());
        QVERIFY(f.platform.driveTypeQueries.isEmpty());
        QCOMPARE(f.view.calls, (QStringList{"lblVersion=str46", "cmdRun=off", "SetStatusBar()"}));

        // Asked to keep it, the identification leaves the folder in place.
        f.state.KrvnPath = gone;
        f.detection.GetKRVNVersion(true);
        QCOMPARE(f.state.KrvnPath, gone);
    }

    void startupSearchesWhenNoFolderIsStored()
    {
        Fixture f;
        f.InstallOnDrive(u'D', sysapi::DriveType::Fixed);
        f.detection.DetectAtStartup();
        QCOMPARE(f.state.KrvnPath, f.platform.driveRoots.value(u'D') + QStringLiteral("korvane") + Sep);
        QCOMPARE(f.platform.driveTypeQueries, Letters(u'C', u'D'));
    }

    // One failing settings write: the other steps still run, one report is made.
    void failingSettingsWrite()
    {
        Fixture f;
        const QString folder = f.StoreGame(QStringLiteral("game"), QStringLiteral("korvane.exe"), "1.1.5");
        f.state.LatestStable = QStringLiteral("1.1.5");
        f.settings.failingWrites = {QStringLiteral("KRVNPath"), QStringLiteral("KRVNVersion")};

        f.detection.GetKRVNVersion();

        QCOMPARE(f.errors.reports.size(), 1);
        QCOMPARE(f.errors.reports[0].source, QStringLiteral("GetKRVNVersion"));
        QVERIFY(f.errors.reports[0].description.contains(QStringLiteral("KRVNPath")));
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersionSize")), QString::number(f.state.KrvnExeSize));
        QVERIFY(f.view.calls.contains(QStringLiteral("optGet(0)")));
        QCOMPARE(f.state.BaseSetFolder, folder + QStringLiteral("data") + Sep);
        QCOMPARE(f.view.calls.last(), QStringLiteral("SetStatusBar()"));
    }

    // The size of a game beyond 2 GiB is stored as its true, positive number.
    void sizeBeyondTwoGigabytes()
    {
        Fixture f;
        const QString folder = f.StoreGame(QStringLiteral("big"), QStringLiteral("korvane.exe"), "1.4.0");
        QFile exe(folder + QStringLiteral("korvane.exe"));
        const qint64 threeGiB = 3LL * 1024 * 1024 * 1024;
        if (!exe.resize(threeGiB)) // sparse: no disk space is used
            QSKIP("this file system cannot hold a sparse file of 3 GiB");
        f.detection.GetKRVNVersion();
        QCOMPARE(f.state.KrvnExeSize, threeGiB);
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersionSize")), QStringLiteral("3221225472"));
        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
    }

    // cmdRun starts the stored game (a folder with only "ttd.exe" too); without one it asks
    // for a folder, and one without "korvane.exe" is refused.
    void runCommand_data()
    {
        QTest::addColumn<QString>("stored"); // executable in the stored folder; empty: none
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("chosen");  // executable in the chosen folder; "-": cancelled
        QTest::addColumn<QString>("message"); // the one message box shown; empty: none
        QTest::addColumn<QString>("started"); // "stored", "chosen" or empty
        const auto row = [](const char* name, const char* stored, bool busy, const char* chosen, const char* message,
                            const char* started) {
            QTest::newRow(name) << QString::fromLatin1(stored) << busy << QString::fromLatin1(chosen)
                                << QString::fromLatin1(message) << QString::fromLatin1(started);
        };
        row("stored korvane.exe", "korvane.exe", false, "-", "", "stored");
        row("stored ttd.exe", "ttd.exe", false, "-", "", "stored");
        row("busy", "korvane.exe", true, "-", "str52 Exclamation OK Korvane Manager", "");
        row("cancelled", "", false, "-", "", "");
        row("chosen with only ttd.exe", "", false, "ttd.exe", "str82 Exclamation OK Korvane Manager", "");
        row("chosen empty", "", false, "", "str82 Exclamation OK Korvane Manager", "");
        row("chosen korvane.exe", "", false, "korvane.exe", "", "chosen");
    }

    void runCommand()
    {
        QFETCH(QString, stored);
        QFETCH(bool, busy);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QFETCH(QString, started);
        Fixture f;
        const QString storedFolder = f.GameFolder(QStringLiteral("stored"));
        QVERIFY(QDir().mkpath(storedFolder));
        f.settings.values.insert(QStringLiteral("KRVNPath"), storedFolder);
        if (!stored.isEmpty())
            f.StoreGame(QStringLiteral("stored"), stored, QStringLiteral("0.7.5"));
        f.state.KrvnPath = storedFolder;
        f.detection.GetKRVNVersion(true);
        const QString chosenFolder = chosen == u'-' ? QString() : f.GameFolder(QStringLiteral("chosen"));
        QVERIFY(chosenFolder.isEmpty() || QDir().mkpath(chosenFolder));
        if (!chosenFolder.isEmpty() && !chosen.isEmpty())
            WriteGame(chosenFolder, chosen, QStringLiteral("1.4.0"));
        f.dialogs.folders.enqueue(chosenFolder);
        f.transfer.executing = busy;

        f.detection.cmdRun_Click();

        QCOMPARE(f.dialogs.folderTitles, stored.isEmpty() ? QStringList{QStringLiteral("str4")} : QStringList());
        QCOMPARE(f.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.view.closes, started.isEmpty() ? 0 : 1);
        QCOMPARE(f.platform.launches.size(), started.isEmpty() ? 0 : 1);
        if (started.isEmpty()) {
            QCOMPARE(f.state.KrvnPath, storedFolder);
            QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), storedFolder);
            return;
        }
        const QString folder = started == QLatin1String("stored") ? storedFolder : chosenFolder;
        QCOMPARE(f.platform.launches[0].program, folder + (stored.isEmpty() ? QStringLiteral("korvane.exe") : stored));
        QCOMPARE(f.platform.launches[0].arguments, QStringList());
        QCOMPARE(f.platform.launches[0].workingFolder, folder);
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), folder);
        QCOMPARE(f.state.KrvnVersion, stored.isEmpty() ? QStringLiteral("1.4.0") : QStringLiteral("0.7.5"));
    }

    void chooseFolder_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("chosen"); // executable in the chosen folder; "-": cancelled
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char* name, bool busy, const char* chosen, const char* message, bool taken) {
            QTest::newRow(name) << busy << QString::fromLatin1(chosen) << QString::fromLatin1(message) << taken;
        };
        row("busy", true, "korvane.exe", "str52 Critical OK Korvane Manager", false);
        row("cancelled", false, "-", "", false);
        row("only ttd.exe", false, "ttd.exe", "str82 Exclamation OK Korvane Manager", false);
        row("korvane.exe", false, "korvane.exe", "", true);
    }

    void chooseFolder()
    {
        QFETCH(bool, busy);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QFETCH(bool, taken);
        Fixture f;
        const QString stored = f.StoreGame(QStringLiteral("stored"), QStringLiteral("korvane.exe"), "1.3.0");
        f.detection.GetKRVNVersion();
        f.settings.writes.clear();
        f.view.calls.clear();
        f.transfer.executing = busy;
        const QString folder = chosen == u'-' ? QString() : f.GameFolder(QStringLiteral("chosen"));
        if (!folder.isEmpty())
            WriteGame(folder, chosen, QStringLiteral("1.4.0"));
        f.dialogs.folders.enqueue(folder);

        f.detection.mnuOpen_Click();

        QCOMPARE(f.dialogs.folderTitles, busy ? QStringList() : QStringList{QStringLiteral("str4")});
        QCOMPARE(f.Messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.state.KrvnPath, taken ? folder : stored);
        QCOMPARE(f.state.KrvnVersion, taken ? QStringLiteral("1.4.0") : QStringLiteral("1.3.0"));
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), taken ? folder : stored);
        QCOMPARE(f.view.calls.isEmpty(), !taken);
        QVERIFY(f.platform.launches.isEmpty());
        QCOMPARE(f.view.closes, 0);
    }

    void redetectReadsTheNewVersion()
    {
        Fixture f;
        const QString folder = f.StoreGame(QStringLiteral("game"), QStringLiteral("korvane.exe"), "1.3.0");
        f.detection.GetKRVNVersion();
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0"));
        f.transfer.executing = true; // the menu item is disabled while busy; no check of its own

        f.detection.mnuRedetect_Click();

        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
        QCOMPARE(f.view.versionText, QStringLiteral("str47 1.4.0"));
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersion")), QStringLiteral("1.4.0"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }
};

KRVNM_REGISTER_TEST(GameDetectionTest)

#include "GameDetectionTest.moc"
