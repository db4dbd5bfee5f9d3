#include "detect/GameDetection.h"
#include "FakeServices.h"
#include "GameFixture.h"
#include "RecordingMainView.h"
#include "TestMain.h"
#include "app/AppState.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString Sep = QDir::separator();

struct Fixture : FakeServices
{
    Fixture()
    {
        for (int n = 1; n <= AppState::LanguageStringCount; ++n)
            state.languageStrings[static_cast<size_t>(n)] = QStringLiteral("str%1").arg(n);
        state.languageStrings[47] = "str47 #1#";
        for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
            platform.driveRoots.insert(QChar(letter), folder(temp.filePath(QString(QChar(letter)))));
    }

    // The game at the standard location of a drive of the given type.
    void installOnDrive(QChar letter, sysapi::DriveType type)
    {
        platform.driveTypes.insert(letter, type);
        writeGame(platform.driveRoots.value(letter) + "korvane", "korvane.exe", "1.4.0");
    }

    // A folder holding the game executable name with version, taken as KrvnPath.
    QString storeGame(const QString& folderName, const QString& name, const QString& version)
    {
        const QString folder = gameFolder(folderName);
        writeGame(folder, name, version);
        state.krvnPath = folder;
        return folder;
    }

    static QString folder(const QString& path) { return QDir::toNativeSeparators(path) + QDir::separator(); }
    QString gameFolder(const QString& name) { return folder(temp.filePath(name)); }

    AppState state;
    RecordingMainView view;
    GameDetection detection{state, services, view.views()};
};

// Running starts the stored game (a folder with only "ttd.exe" too); without one it asks
// for a folder. Choosing always asks. Both refuse a folder without "korvane.exe".
struct FolderCommand
{
    bool open;      // ChooseGameFolder, else RunGame
    QString stored; // executable in the stored folder; empty: none
    QString chosen; // executable in the chosen folder; "-": cancelled
    bool refused;   // told the folder lacks "korvane.exe"
    QString kept;   // the folder taken in the end: "stored" or "chosen"
    bool launched;
};

} // namespace

Q_DECLARE_METATYPE(FolderCommand)

class GameDetectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void driveSearch_data()
    {
        QTest::addColumn<QString>("drives"); // letter, type (F fixed, R removable, N network, O optical, M RAM)
        QTest::addColumn<QString>("winner"); // empty: not found; "-": a folder found earlier stays
        const auto row = [](const char* name, const char* drives, const char* winner) {
            QTest::newRow(name) << QString::fromLatin1(drives) << QString::fromLatin1(winner);
        };
        row("C and E both fixed", "CF EF", "C");
        row("removable C before fixed E", "CR EF", "E");
        row("network, optical and RAM drives never qualify", "CN DO EM", "");
        row("fixed Z, the last letter", "ZF", "Z");
        row("A and B are never examined", "AF BF", "");
        row("an earlier folder stays", "CN", "-");
    }

    void driveSearch()
    {
        QFETCH(QString, drives);
        QFETCH(QString, winner);
        Fixture f;
        using enum sysapi::DriveType;
        const QHash<QChar, sysapi::DriveType> types{
            {u'F', Fixed}, {u'R', Removable}, {u'N', Remote}, {u'O', CdRom}, {u'M', RamDisk}};
        for (const QString& drive : drives.split(u' '))
            f.installOnDrive(drive[0], types.value(drive[1]));
        // A fixed C: without the game is passed over.
        f.platform.driveTypes.insert(u'C', f.platform.driveTypes.value(u'C', sysapi::DriveType::Fixed));
        const QString earlier = winner == u'-' ? f.storeGame("earlier", "korvane.exe", "1.4.0") : QString();

        f.detection.findGameFolder();

        const QString found = winner.isEmpty() ? QString() : f.platform.driveRoots.value(winner[0]) + "korvane" + Sep;
        const QString folder = earlier.isEmpty() ? found : earlier;
        QCOMPARE(f.state.krvnPath, folder);
        QCOMPARE(f.state.krvnExe, winner.isEmpty() ? QString() : folder + "korvane.exe");
        QCOMPARE(f.view.versionText, QLatin1String(winner.isEmpty() ? "str46" : "str47 1.4.0"));
        QCOMPARE(f.settings.values.value("KRVNPath"), folder);
        QVERIFY(f.view.statusBarCurrent);
        QVERIFY(f.errors.reports.isEmpty());
    }

    void executableInFolder()
    {
        Fixture f;
        QCOMPARE(f.detection.gameExecutable(), QString());

        const QString folder = f.gameFolder("game");
        f.state.krvnPath = folder;
        QVERIFY(QDir().mkpath(folder + "korvane.exe/inner")); // a folder, not a program
        QCOMPARE(f.detection.gameExecutable(), QString());

        writeGame(folder, "ttd.exe", "0.7.5");
        QCOMPARE(f.detection.gameExecutable(), folder + "ttd.exe");

        QVERIFY(QDir(folder + "korvane.exe").removeRecursively());
        writeGame(folder, "korvane.exe", "1.4.0");
        QCOMPARE(f.detection.gameExecutable(), folder + "korvane.exe");
    }

    void folderPicker_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        const QString games = QDir::toNativeSeparators(QDir::rootPath() + "games/korvane");
        QTest::newRow("cancelled") << QString() << QString();
        QTest::newRow("a folder gets one separator") << games << games + Sep;
        QTest::newRow("a drive root gets no second one") << root << root;
    }

    void folderPicker()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        Fixture f;
        f.dialogs.folders.enqueue(answer);
        QCOMPARE(f.detection.browseForFolder("Choose"), expected);
        QCOMPARE(f.dialogs.folderTitles, QStringList{"Choose"});
    }

    // The identification of a stored folder: its version, size and base set folder, shown
    // and stored; the version marks the first channel whose latest version it equals exactly.
    void identification_data()
    {
        QTest::addColumn<QString>("installed");  // null: no version resource
        QTest::addColumn<QStringList>("latest"); // stable, beta, nightly
        QTest::addColumn<int>("row");            // -1: no row marked
        QTest::addColumn<QString>("folder");
        const QStringList usual{"1.4.0", "1.4.0-beta5", "r26400"};
        QTest::newRow("nightly") << "r26400" << usual << 2 << "baseset";
        QTest::newRow("equal to stable and beta: row 0")
            << "1.4.0" << QStringList{"1.4.0", "1.4.0", "r1"} << 0 << "baseset";
        QTest::newRow("equal to beta and nightly: row 1") << "r1" << QStringList{"1.4.0", "r1", "r1"} << 1 << "baseset";
        QTest::newRow("no channel") << "1.1.5" << usual << -1 << "data";
        QTest::newRow("exact text only") << "1.4.0 " << QStringList{"1.4.0", "1.4.0", "1.4.0"} << -1 << "baseset";
        QTest::newRow("case matters") << "R26400" << QStringList{"", "", "r26400"} << -1 << "data";
        QTest::newRow("no version before any release check") << QString() << QStringList{"", "", ""} << -1 << "data";
        QTest::newRow("1.2.0-beta1") << "1.2.0-beta1" << usual << -1 << "baseset";
        QTest::newRow("1.10.0 reads 11") << "1.10.0" << usual << -1 << "data";
        QTest::newRow("one digit") << "2" << usual << -1 << "data";
    }

    void identification()
    {
        QFETCH(QString, installed);
        QFETCH(QStringList, latest);
        QFETCH(int, row);
        QFETCH(QString, folder);
        Fixture f;
        const QString game = f.storeGame("game", "korvane.exe", installed);
        f.state.latestStable = latest[0];
        f.state.latestBeta = latest[1];
        f.state.latestNightly = latest[2];

        f.detection.readGameVersion();

        const qint64 size = QFileInfo(game + "korvane.exe").size();
        QCOMPARE(f.state.krvnExe, game + "korvane.exe");
        QCOMPARE(f.state.krvnVersion, installed);
        QCOMPARE(f.state.krvnExeSize, size);
        QCOMPARE(f.state.baseSetFolder, game + folder + Sep);
        QCOMPARE(f.view.versionText, "str47 " + installed);
        QCOMPARE(f.view.runEnabled, true);
        QCOMPARE(f.view.selectedRows, row < 0 ? QList<int>() : QList<int>{row});
        QCOMPARE(f.view.icons, row < 0 ? QStringList() : QStringList{QStringLiteral("%1 installed str85").arg(row)});
        QVERIFY(f.view.statusBarCurrent);
        QCOMPARE(f.settings.writes,
                 (QList<QPair<QString, QString>>{
                     {"KRVNPath", game}, {"KRVNVersion", installed}, {"KRVNVersionSize", QString::number(size)}}));
        QVERIFY(f.errors.reports.isEmpty());
    }

    // A stored folder without the game is cleared in memory only (unless kept); no drive search follows at start-up.
    void storedFolderWithoutGame()
    {
        Fixture f;
        f.installOnDrive(u'C', sysapi::DriveType::Fixed);
        const QString gone = f.gameFolder("gone");
        f.settings.values.insert("KRVNPath", gone);
        f.state.krvnPath = gone;
        f.state.krvnVersion = "1.3.0";
        f.state.baseSetFolder = gone + "baseset" + Sep;

        f.detection.detectAtStartup();

        QCOMPARE(f.state.krvnPath + f.state.krvnExe + f.state.krvnVersion + f.state.baseSetFolder, QString());
        QCOMPARE(f.settings.values.value("KRVNPath"), gone);
        QVERIFY(f.settings.writes.isEmpty());
        QCOMPARE(f.view.versionText, "str46");
        QCOMPARE(f.view.runEnabled, false);
        QVERIFY(f.view.statusBarCurrent);

        // Asked to keep it, the identification leaves the folder in place.
        f.state.krvnPath = gone;
        f.detection.readGameVersion(true);
        QCOMPARE(f.state.krvnPath, gone);
    }

    // One failing settings write: the other steps still run, one report is made.
    void failingSettingsWrite()
    {
        Fixture f;
        const QString folder = f.storeGame("game", "korvane.exe", "1.1.5");
        f.state.latestStable = "1.1.5";
        f.settings.failingWrites = {"KRVNPath", "KRVNVersion"};

        f.detection.readGameVersion();

        QCOMPARE(f.errors.reports.size(), 1);
        QCOMPARE(f.errors.reports[0].source, "GetKRVNVersion");
        QVERIFY(f.errors.reports[0].description.contains("KRVNPath"));
        QCOMPARE(f.settings.values.value("KRVNVersionSize"), QString::number(f.state.krvnExeSize));
        QCOMPARE(f.view.selectedRows, QList<int>{0});
        QCOMPARE(f.state.baseSetFolder, folder + "data" + Sep);
        QVERIFY(f.view.statusBarCurrent);
    }

    // The size of a game beyond 2 GiB is stored as its true, positive number.
    void sizeBeyondTwoGigabytes()
    {
        Fixture f;
        const QString folder = f.storeGame("big", "korvane.exe", "1.4.0");
        const qint64 threeGiB = 3LL * 1024 * 1024 * 1024;
        if (!QFile::resize(folder + "korvane.exe", threeGiB)) // sparse: no disk space is used
            QSKIP("this file system cannot hold a sparse file of 3 GiB");
        f.detection.readGameVersion();
        QCOMPARE(f.state.krvnExeSize, threeGiB);
        QCOMPARE(f.settings.values.value("KRVNVersionSize"), "3221225472");
        QCOMPARE(f.state.krvnVersion, "1.4.0");
    }

    void folderCommands_data()
    {
        QTest::addColumn<FolderCommand>("c");
        QTest::newRow("run stored ttd.exe") << FolderCommand{false, "ttd.exe", "-", false, "stored", true};
        QTest::newRow("run, choice cancelled") << FolderCommand{false, "", "-", false, "stored", false};
        QTest::newRow("run, chosen with only ttd.exe") << FolderCommand{false, "", "ttd.exe", true, "stored", false};
        QTest::newRow("run, chosen korvane.exe") << FolderCommand{false, "", "korvane.exe", false, "chosen", true};
        QTest::newRow("open, cancelled") << FolderCommand{true, "korvane.exe", "-", false, "stored", false};
        QTest::newRow("open, chosen korvane.exe")
            << FolderCommand{true, "korvane.exe", "korvane.exe", false, "chosen", false};
    }

    void folderCommands()
    {
        QFETCH(FolderCommand, c);
        Fixture f;
        const QString storedFolder = f.gameFolder("stored");
        if (!c.stored.isEmpty())
            writeGame(storedFolder, c.stored, "1.3.0");
        f.settings.values.insert("KRVNPath", storedFolder);
        f.state.krvnPath = storedFolder;
        f.detection.readGameVersion(true);
        const QString versionShown = f.view.versionText;
        const QString chosenFolder = c.chosen == u'-' ? QString() : f.gameFolder("chosen");
        if (!chosenFolder.isEmpty())
            writeGame(chosenFolder, c.chosen, "1.4.0");
        f.dialogs.folders.enqueue(chosenFolder);

        c.open ? void(f.detection.chooseGameFolder()) : f.detection.runGame();

        QCOMPARE(f.dialogs.folderTitles, c.open || c.stored.isEmpty() ? QStringList{"str4"} : QStringList());
        QCOMPARE(f.dialogs.messages.size(), c.refused ? 1 : 0);
        if (c.refused) {
            const MessageRequest& m = f.dialogs.messages[0];
            QCOMPARE(m.text + m.title, "str82Korvane Manager");
            QCOMPARE(m.icon, MessageIcon::Exclamation);
            QCOMPARE(m.buttons, MessageButtons::Ok);
        }
        const bool tookChosen = c.kept == u"chosen";
        const QString folder = tookChosen ? chosenFolder : storedFolder;
        QCOMPARE(f.state.krvnPath, folder);
        QCOMPARE(f.settings.values.value("KRVNPath"), folder);
        QCOMPARE(f.state.krvnVersion, QLatin1String(tookChosen ? "1.4.0" : c.stored.isEmpty() ? "" : "1.3.0"));
        QCOMPARE(f.view.versionText, tookChosen ? "str47 1.4.0" : versionShown);
        QCOMPARE(f.view.closes, c.launched ? 1 : 0);
        QCOMPARE(f.platform.launches.size(), c.launched ? 1 : 0);
        const FakePlatform::Launch launch = f.platform.launches.value(0);
        QCOMPARE(launch.program, c.launched ? folder + (tookChosen ? "korvane.exe" : c.stored) : QString());
        QCOMPARE(launch.arguments, QStringList());
        QCOMPARE(launch.workingFolder, c.launched ? folder : QString());
    }
};

KRVNM_REGISTER_TEST(GameDetectionTest)

#include "GameDetectionTest.moc"
