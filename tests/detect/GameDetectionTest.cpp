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
    void InstallOnDrive(QChar letter, sysapi::DriveType type, const QString& version = QStringLiteral("1.4.0"))
    {
        platform.driveTypes.insert(letter, type);
        WriteGame(platform.driveRoots.value(letter) + QStringLiteral("korvane"), QStringLiteral("korvane.exe"),
                  version);
    }

    QString GameFolder(const QString& name) { return Folder(temp.filePath(name)); }

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

QString Describe(const QList<QPair<QString, QString>>& writes)
{
    QStringList lines;
    for (const auto& [key, value] : writes)
        lines.append(key + u'=' + value);
    return lines.join(QStringLiteral("; "));
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
        QTest::newRow("fixed D only") << "DF"
                                      << "D";
        QTest::newRow("removable drive only") << "ER"
                                              << "";
        QTest::newRow("C and E both fixed") << "CF EF"
                                            << "C";
        QTest::newRow("removable C before fixed E") << "CR EF"
                                                    << "E";
        QTest::newRow("network, optical and RAM drives never qualify") << "CN DO EM"
                                                                       << "";
        QTest::newRow("fixed Z, the last letter") << "ZF"
                                                  << "Z";
        QTest::newRow("A and B are never examined") << "AF BF"
                                                    << "";
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
        if (winner.isEmpty()) {
            QCOMPARE(f.state.KrvnPath, QString());
            QCOMPARE(f.state.KrvnExe, QString());
            QCOMPARE(f.view.versionText, QStringLiteral("str46"));
            QVERIFY(f.settings.writes.isEmpty());
        } else {
            const QString folder = f.platform.driveRoots.value(winner[0]) + QStringLiteral("korvane") + Sep;
            QCOMPARE(f.state.KrvnPath, folder);
            QCOMPARE(f.state.KrvnExe, folder + QStringLiteral("korvane.exe"));
            QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
            QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), folder);
        }
        QCOMPARE(f.view.calls.last(), QStringLiteral("SetStatusBar()"));
        QVERIFY(f.errors.reports.isEmpty());
    }

    // With no drive found, an earlier folder stays; the identification decides about it.
    void driveSearchKeepsEarlierFolder()
    {
        Fixture f;
        const QString folder = f.GameFolder(QStringLiteral("games/korvane"));
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("r26400"));
        f.state.KrvnPath = folder;
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
        QTest::newRow("cancelled") << ""
                                   << "";
        QTest::newRow("a folder gets one separator") << games << games + Sep;
        QTest::newRow("a folder already ending in one") << games + Sep << games + Sep;
        QTest::newRow("a drive root gets no second one") << root << root;
        QTest::newRow("Qt's forward slashes") << QDir::rootPath() + QStringLiteral("games/korvane") << games + Sep;
        QTest::newRow("cut at the first NUL") << games + QChar(u'\0') + QStringLiteral("junk") << games + Sep;
        QTest::newRow("only a NUL") << QString(QChar(u'\0')) << "";
    }

    void folderPicker()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        Fixture f;
        f.dialogs.folders.enqueue(answer);
        QCOMPARE(f.detection.BrowseForFolder(QStringLiteral("Choose")), expected);
        QCOMPARE(f.dialogs.folderTitles, QStringList{QStringLiteral("Choose")});
    }

    void identificationOfFoundGame()
    {
        Fixture f;
        const QString folder = f.GameFolder(QStringLiteral("game"));
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0-beta5"));
        f.state.KrvnPath = folder;
        f.state.LatestStable = QStringLiteral("1.3.0");
        f.state.LatestBeta = QStringLiteral("1.4.0-beta5");
        const qint64 size = QFileInfo(folder + QStringLiteral("korvane.exe")).size();

        f.detection.GetKRVNVersion();

        QCOMPARE(f.state.KrvnExe, folder + QStringLiteral("korvane.exe"));
        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0-beta5"));
        QCOMPARE(f.state.KrvnExeSize, size);
        QCOMPARE(f.state.BaseSetFolder, folder + QStringLiteral("baseset") + Sep);
        const QStringList expectedCalls{QStringLiteral("lblVersion=str49"),
                                        QStringLiteral("lblVersion=str47 1.4.0-beta5"),
                                        QStringLiteral("cmdRun=on"),
                                        QStringLiteral("SetStatusBar()"),
                                        QStringLiteral("optGet(1)"),
                                        QStringLiteral("SetStatusIcon(1,%1,str85)").arg(int(StatusPicture::Installed)),
                                        QStringLiteral("SetStatusBar()")};
        QCOMPARE(f.view.calls, expectedCalls);
        const QList<QPair<QString, QString>> expectedWrites{
            {QStringLiteral("KRVNPath"), folder},
            {QStringLiteral("KRVNVersion"), QStringLiteral("1.4.0-beta5")},
            {QStringLiteral("KRVNVersionSize"), QString::number(size)}};
        QVERIFY2(f.settings.writes == expectedWrites,
                 qPrintable(
                     QStringLiteral("expected %1, got %2").arg(Describe(expectedWrites), Describe(f.settings.writes))));
        QVERIFY(f.errors.reports.isEmpty());
    }

    void channelMatch_data()
    {
        QTest::addColumn<QString>("installed"); // null: no version resource
        QTest::addColumn<QString>("stable");
        QTest::addColumn<QString>("beta");
        QTest::addColumn<QString>("nightly");
        QTest::addColumn<int>("row"); // -1: no row marked
        QTest::newRow("stable") << "1.4.0"
                                << "1.4.0"
                                << "1.4.0-beta5"
                                << "r26400" << 0;
        QTest::newRow("beta") << "1.4.0-beta5"
                              << "1.4.0"
                              << "1.4.0-beta5"
                              << "r26400" << 1;
        QTest::newRow("nightly") << "r26400"
                                 << "1.4.0"
                                 << "1.4.0-beta5"
                                 << "r26400" << 2;
        QTest::newRow("equal to stable and beta: row 0") << "1.4.0"
                                                         << "1.4.0"
                                                         << "1.4.0"
                                                         << "r26400" << 0;
        QTest::newRow("equal to beta and nightly: row 1") << "r1"
                                                          << "1.4.0"
                                                          << "r1"
                                                          << "r1" << 1;
        QTest::newRow("no channel") << "1.3.0"
                                    << "1.4.0"
                                    << "1.4.0-beta5"
                                    << "r26400" << -1;
        QTest::newRow("exact text only") << "1.4.0 "
                                         << "1.4.0"
                                         << "1.4.0"
                                         << "1.4.0" << -1;
        QTest::newRow("case matters") << "R26400"
                                      << ""
                                      << ""
                                      << "r26400" << -1;
        QTest::newRow("no version before any release check") << QString() << ""
                                                             << ""
                                                             << "" << -1;
    }

    void channelMatch()
    {
        QFETCH(QString, installed);
        QFETCH(QString, stable);
        QFETCH(QString, beta);
        QFETCH(QString, nightly);
        QFETCH(int, row);
        Fixture f;
        const QString folder = f.GameFolder(QStringLiteral("game"));
        WriteGame(folder, QStringLiteral("korvane.exe"), installed);
        f.state.KrvnPath = folder;
        f.state.LatestStable = stable;
        f.state.LatestBeta = beta;
        f.state.LatestNightly = nightly;

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
        QTest::newRow("1.4.0") << "1.4.0"
                               << "baseset";
        QTest::newRow("r26400") << "r26400"
                                << "baseset";
        QTest::newRow("1.1.5") << "1.1.5"
                               << "data";
        QTest::newRow("0.7.5") << "0.7.5"
                               << "data";
        QTest::newRow("1.10.0 reads 11") << "1.10.0"
                                         << "data";
        QTest::newRow("1.2.0-beta1") << "1.2.0-beta1"
                                     << "baseset";
        QTest::newRow("no version resource") << QString() << "data";
        QTest::newRow("not a number") << "beta"
                                      << "data";
        QTest::newRow("one digit") << "2"
                                   << "data";
        QTest::newRow("2.0") << "2.0"
                             << "baseset";
    }

    void baseSetFolder()
    {
        QFETCH(QString, version);
        QFETCH(QString, folder);
        Fixture f;
        const QString game = f.GameFolder(QStringLiteral("game"));
        WriteGame(game, QStringLiteral("korvane.exe"), version);
        f.state.KrvnPath = game;
        f.detection.GetKRVNVersion();
        QCOMPARE(f.state.KrvnVersion, version.isNull() ? QString() : version);
        QCOMPARE(f.state.BaseSetFolder, game + folder + Sep);
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersion")), f.state.KrvnVersion);
    }

    // A stored folder that no longer holds the game: cleared in memory only, and no
    // drive search at start-up.
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

        QCOMPARE(f.state.KrvnPath, QString());
        QCOMPARE(f.state.KrvnExe, QString());
        QCOMPARE(f.state.KrvnVersion, QString());
        QCOMPARE(f.state.BaseSetFolder, QString());
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), gone);
        QVERIFY(f.settings.writes.isEmpty());
        QVERIFY(f.platform.driveTypeQueries.isEmpty());
        const QStringList expectedCalls{QStringLiteral("lblVersion=str46"), QStringLiteral("cmdRun=off"),
                                        QStringLiteral("SetStatusBar()")};
        QCOMPARE(f.view.calls, expectedCalls);
    }

    void startupSearchesWhenNoFolderIsStored()
    {
        Fixture f;
        f.InstallOnDrive(u'D', sysapi::DriveType::Fixed);
        f.detection.DetectAtStartup();
        QCOMPARE(f.state.KrvnPath, f.platform.driveRoots.value(u'D') + QStringLiteral("korvane") + Sep);
        QCOMPARE(f.platform.driveTypeQueries, Letters(u'C', u'D'));
    }

    void keepPathKeepsFolderWithoutGame()
    {
        Fixture f;
        const QString target = f.GameFolder(QStringLiteral("target"));
        f.state.KrvnPath = target;
        f.detection.GetKRVNVersion(true);
        QCOMPARE(f.state.KrvnPath, target);
        QCOMPARE(f.state.KrvnExe, QString());
        QVERIFY(!f.view.runEnabled);
        QCOMPARE(f.view.versionText, QStringLiteral("str46"));
    }

    // One failing settings write: the other steps still run, one report is made.
    void failingSettingsWrite()
    {
        Fixture f;
        const QString folder = f.GameFolder(QStringLiteral("game"));
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.1.5"));
        f.state.KrvnPath = folder;
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
        const QString folder = f.GameFolder(QStringLiteral("big"));
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0"));
        QFile exe(folder + QStringLiteral("korvane.exe"));
        const qint64 threeGiB = 3LL * 1024 * 1024 * 1024;
        if (!exe.resize(threeGiB)) // sparse: no disk space is used
            QSKIP("this file system cannot hold a sparse file of 3 GiB");
        f.state.KrvnPath = folder;
        f.detection.GetKRVNVersion();
        QCOMPARE(f.state.KrvnExeSize, threeGiB);
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersionSize")), QStringLiteral("3221225472"));
        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
    }

    // A stored folder with only "ttd.exe" can be launched.
    void runStartsStoredGameAndCloses_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("korvane.exe") << "korvane.exe";
        QTest::newRow("only ttd.exe") << "ttd.exe";
    }

    void runStartsStoredGameAndCloses()
    {
        QFETCH(QString, name);
        Fixture f;
        const QString folder = f.GameFolder(QStringLiteral("game"));
        WriteGame(folder, name, QStringLiteral("0.7.5"));
        f.state.KrvnPath = folder;
        f.detection.GetKRVNVersion();
        QCOMPARE(f.state.KrvnExe, folder + name);

        f.detection.RunGame();

        QCOMPARE(f.platform.launches.size(), 1);
        QCOMPARE(f.platform.launches[0].program, folder + name);
        QCOMPARE(f.platform.launches[0].arguments, QStringList());
        QCOMPARE(f.platform.launches[0].workingFolder, folder);
        QCOMPARE(f.view.closes, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(f.dialogs.folderTitles.isEmpty());
    }

    // Without an executable the folder is asked for; one without "korvane.exe" is refused.
    void runAsksForFolder_data()
    {
        QTest::addColumn<QString>("chosen"); // folder name under the temporary folder; empty: cancelled
        QTest::addColumn<QString>("holds");  // executable written there
        QTest::addColumn<bool>("launched");
        QTest::addColumn<bool>("refused");
        QTest::newRow("cancelled") << ""
                                   << "" << false << false;
        QTest::newRow("only ttd.exe") << "old"
                                      << "ttd.exe" << false << true;
        QTest::newRow("empty folder") << "empty"
                                      << "" << false << true;
        QTest::newRow("korvane.exe") << "new"
                                     << "korvane.exe" << true << false;
    }

    void runAsksForFolder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, holds);
        QFETCH(bool, launched);
        QFETCH(bool, refused);
        Fixture f;
        const QString stored = f.GameFolder(QStringLiteral("stored"));
        f.settings.values.insert(QStringLiteral("KRVNPath"), stored);
        f.state.KrvnPath = stored;
        const QString folder = chosen.isEmpty() ? QString() : f.GameFolder(chosen);
        if (!chosen.isEmpty())
            QVERIFY(QDir().mkpath(folder));
        if (!holds.isEmpty())
            WriteGame(folder, holds, QStringLiteral("1.4.0"));
        f.dialogs.folders.enqueue(folder);

        f.detection.RunGame();

        QCOMPARE(f.dialogs.folderTitles, QStringList{QStringLiteral("str4")});
        QCOMPARE(f.platform.launches.size(), launched ? 1 : 0);
        QCOMPARE(f.view.closes, launched ? 1 : 0);
        QCOMPARE(f.dialogs.messages.size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("str82"));
            QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
            QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Korvane Manager"));
        }
        if (launched) {
            QCOMPARE(f.platform.launches[0].program, folder + QStringLiteral("korvane.exe"));
            QCOMPARE(f.platform.launches[0].workingFolder, folder);
            QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
            QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), folder);
        } else {
            QCOMPARE(f.state.KrvnPath, stored);
            QCOMPARE(f.settings.values.value(QStringLiteral("KRVNPath")), stored);
        }
    }

    void chooseFolder_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("holds");
        QTest::addColumn<int>("message"); // language string shown, 0: none
        QTest::addColumn<bool>("taken");
        QTest::newRow("cancelled") << false << ""
                                   << "" << 0 << false;
        QTest::newRow("only ttd.exe") << false << "old"
                                      << "ttd.exe" << 82 << false;
        QTest::newRow("korvane.exe") << false << "new"
                                     << "korvane.exe" << 0 << true;
    }

    void chooseFolder()
    {
        QFETCH(bool, busy);
        QFETCH(QString, chosen);
        QFETCH(QString, holds);
        QFETCH(int, message);
        QFETCH(bool, taken);
        Fixture f;
        const QString stored = f.GameFolder(QStringLiteral("stored"));
        WriteGame(stored, QStringLiteral("korvane.exe"), QStringLiteral("1.3.0"));
        f.state.KrvnPath = stored;
        f.detection.GetKRVNVersion();
        f.settings.writes.clear();
        f.view.calls.clear();
        f.transfer.executing = busy;
        const QString folder = chosen.isEmpty() ? QString() : f.GameFolder(chosen);
        if (!holds.isEmpty())
            WriteGame(folder, holds, QStringLiteral("1.4.0"));
        f.dialogs.folders.enqueue(folder);

        f.detection.ChooseGameFolder();

        QCOMPARE(f.dialogs.folderTitles, busy ? QStringList() : QStringList{QStringLiteral("str4")});
        QCOMPARE(f.dialogs.messages.size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("str%1").arg(message));
            QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
            QCOMPARE(f.dialogs.messages[0].buttons, MessageButtons::Ok);
            QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Korvane Manager"));
        }
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
        const QString folder = f.GameFolder(QStringLiteral("game"));
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.3.0"));
        f.state.KrvnPath = folder;
        f.detection.GetKRVNVersion();
        WriteGame(folder, QStringLiteral("korvane.exe"), QStringLiteral("1.4.0"));

        f.detection.GetKRVNVersion(false);

        QCOMPARE(f.state.KrvnVersion, QStringLiteral("1.4.0"));
        QCOMPARE(f.view.versionText, QStringLiteral("str47 1.4.0"));
        QCOMPARE(f.settings.values.value(QStringLiteral("KRVNVersion")), QStringLiteral("1.4.0"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }
};

KRVNM_REGISTER_TEST(GameDetectionTest)

#include "GameDetectionTest.moc"
