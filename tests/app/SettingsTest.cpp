#include "app/Settings.h"
#include "AppFixture.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "app/QtSettingsStore.h"

#include <QAction>
#include <QSettings>
#include <QTest>

class SettingsTest : public QObject
{
    Q_OBJECT

private:
    MemorySettingsStore store;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    // The store as the program builds it, with the user's settings folder moved here.
    QTemporaryDir temp;
    QString folder() const { return temp.filePath(QStringLiteral("Quillon Works")); }
    QString file() const { return folder() + QStringLiteral("/KRVNM.conf"); }

    AppState load()
    {
        AppState state;
        loadSettings(state, store, platform, dialogs);
        return state;
    }

private Q_SLOTS:
    void init()
    {
        store = {};
        platform = {};
        dialogs = {};
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());
        QDir(folder()).removeRecursively();
        QFile::remove(folder());
    }

    // A stored platform text wins (anything but WIN9X and WIN64 is WIN32); with none the
    // system decides: Win32s, then 64 or 32 bits, a failed version query counting as NT.
    void platformIndex_data()
    {
        QTest::addColumn<QString>("stored"); // null: no key
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("platformId");
        QTest::addColumn<bool>("windows64");
        QTest::addColumn<int>("expected");
        QTest::newRow("Win32s") << QString() << true << 0 << false << 0;
        QTest::newRow("Win32s on 64-bit answer") << QString() << true << 0 << true << 0;
        QTest::newRow("Windows 98, 32-bit") << QString() << true << 1 << false << 1;
        QTest::newRow("NT, 32-bit") << QString() << true << 2 << false << 1;
        QTest::newRow("NT, 64-bit") << QString() << true << 2 << true << 2;
        QTest::newRow("query failed, 64-bit") << QString() << false << 0 << true << 2;
        QTest::newRow("WIN9X") << "WIN9X" << true << 2 << true << 0;
        QTest::newRow("WIN64") << "WIN64" << true << 0 << false << 2;
        QTest::newRow("lower-case win64") << "win64" << true << 2 << true << 1;
        QTest::newRow("other text") << "AMIGA" << true << 0 << true << 1;
        QTest::newRow("empty text") << "" << true << 2 << true << 1;
    }

    void platformIndex()
    {
        QFETCH(QString, stored);
        QFETCH(bool, queried);
        QFETCH(int, platformId);
        QFETCH(bool, windows64);
        QFETCH(int, expected);
        platform.version = {queried, static_cast<unsigned long>(platformId), 10, 0, 0};
        platform.windows64 = windows64;
        if (!stored.isNull())
            store.values.insert(QStringLiteral("Platform"), stored);
        QCOMPARE(load().platformIndex, expected);
    }

    // Numbers are read loosely (any decimal text, rounded half to even) but must fit their range.
    // Loading alone stores nothing, not even the derived platform.
    void numbers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored"); // null: no key, the default
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("message");
        const auto row = [](const char* name, const char* key, const char* stored, int expected, bool message) {
            QTest::newRow(name) << QString::fromLatin1(key) << QString::fromLatin1(stored) << expected << message;
        };
        row("no port", "PROXYPORT", nullptr, 80, false);
        row("port 0", "PROXYPORT", "0", 0, false);
        row("highest port", "PROXYPORT", "65535", 65535, false);
        row("above the port range", "PROXYPORT", "65536", 0, true);
        row("negative port", "PROXYPORT", "-1", 0, true);
        row("half rounds to even", "PROXYPORT", "8080.5", 8080, false);
        row("surrounded by blanks", "PROXYPORT", " 3128 ", 3128, false);
        row("rounds above the range", "PROXYPORT", "65535.5", 0, true);
        row("signed", "CONNECTIONTYPE", "+2", 2, false);
        row("1.5 rounds to even", "USEPROXYAUTH", "1.5", 2, false);
        row("highest small", "CONNECTIONTYPE", "255", 255, false);
        row("above small", "USEPROXYAUTH", "256", 0, true);
        row("text", "CONNECTIONTYPE", "two", 0, true);
    }

    void numbers()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QFETCH(bool, message);
        if (!stored.isNull())
            store.values.insert(key, stored);
        store.values.insert(QStringLiteral("PROXYUSER"), QStringLiteral("alice"));
        const AppState s = load();
        const QHash<QString, int> read = {
            {"PROXYPORT", s.proxyPort}, {"CONNECTIONTYPE", s.connectionType}, {"USEPROXYAUTH", s.useProxyAuth}};
        QCOMPARE(read.value(key), expected);
        QCOMPARE(s.proxyUser, QStringLiteral("alice")); // the keys after a failed one still load
        QCOMPARE(s.language, QStringLiteral("---"));
        QCOMPARE(dialogs.messages.size(), message ? 1 : 0);
        QVERIFY(store.writes.isEmpty());
    }

    // Each text key loads from its own stored name into its own value (here: that name).
    void textKeys()
    {
        const QStringList names{"Language",       "PROXYADDRESS",      "PROXYUSER",         "PROXYPASS",
                                "KRVNPath",       "LatestStable",      "LatestStableDate",  "LatestBeta",
                                "LatestBetaDate", "LatestNightly",     "LatestNightlyDate", "LatestVersionGot",
                                "LastCheckDate",  "LastSelfCheckDate", "FEEDSERVER",        "BUILDSERVER",
                                "MAKERSERVER",    "WIKISERVER",        "HOMESERVER",        "FORUMSERVER",
                                "BUGSERVER",      "CONTENTSERVER",     "GRFINDEXSERVER"};
        for (const QString& name : names)
            store.values.insert(name, name);
        const AppState s = load();
        const Endpoints& e = s.endpoints;
        QCOMPARE((QStringList{s.language,       s.proxyAddress,      s.proxyUser,          s.proxyPass,
                              s.krvnPath,       s.latestStable,      s.latestStableDate,   s.latestBeta,
                              s.latestBetaDate, s.latestNightly,     s.latestNightlyDate,  s.latestVersionGot,
                              s.lastCheckDate,  s.lastSelfCheckDate, e.feedServer,         e.buildServer,
                              e.makerServer,    e.wikiServer,        e.homeServer,         e.forumServer,
                              e.bugServer,      e.contentServer,     e.graphicsIndexServer}),
                 names);
    }

    void oneMessageForAnyNumberOfFailures()
    {
        store.values.insert(QStringLiteral("PROXYPORT"), QStringLiteral("x"));
        store.values.insert(QStringLiteral("CONNECTIONTYPE"), QStringLiteral("256"));
        store.failingReads.insert(QStringLiteral("LatestBeta"));
        store.failingReads.insert(QStringLiteral("Platform"));
        store.values.insert(QStringLiteral("LatestNightly"), QStringLiteral("r30000"));
        const AppState s = load();
        QCOMPARE(dialogs.messages.size(), 1);
        const MessageRequest& m = dialogs.messages.first();
        QCOMPARE(m.text, QStringLiteral("Error reading settings from registry."));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QCOMPARE(m.buttons, MessageButtons::Ok);
        QCOMPARE(m.title, QStringLiteral("Korvane Manager"));
        // An unreadable key keeps what it held; an unreadable platform is derived.
        QCOMPARE((QList<int>{s.connectionType, s.proxyPort, s.platformIndex}), (QList<int>{0, 0, 2}));
        QCOMPARE((QStringList{s.latestBeta, s.latestNightly, s.lastCheckDate}), (QStringList{"", "r30000", ""}));
    }

    void platformMenuStoresAtOnceAndNextStartChecksIt()
    {
        const auto checked = [](MainWindow& window) {
            QStringList names;
            for (const char* name : {"mnuWin9x", "mnuWin32", "mnuWin64"})
                if (window.findChild<QAction*>(QLatin1String(name))->isChecked())
                    names << QLatin1String(name);
            return names;
        };
        AppFixture app;
        MainWindow& first = app.startWindow();
        QCOMPARE(checked(first), QStringList{"mnuWin64"}); // derived on a 64-bit system

        // Each entry stores its own platform; the last one chosen is checked at the next start.
        const QList<QPair<QString, QString>> entries{
            {"mnuWin9x", "WIN9X"}, {"mnuWin64", "WIN64"}, {"mnuWin32", "WIN32"}};
        for (const auto& [entry, stored] : entries) {
            first.findChild<QAction*>(entry)->trigger();
            QCOMPARE(app.settings.values.value(QStringLiteral("Platform")), stored);
            QCOMPARE(checked(first), QStringList{entry});
        }
        QCOMPARE(app.state->platformIndex, 1);
        QCOMPARE(checked(app.startWindow()), QStringList{"mnuWin32"});
    }

    void storesTextsThatTheNextRunReads()
    {
        {
            QtSettingsStore disk;
            QCOMPARE(disk.read(SettingKey::LatestStable), QStringLiteral("1.4.0"));
            disk.write(SettingKey::KrvnPath, QStringLiteral("C:\\Games\\Korvane Ü\\"));
            disk.write(SettingKey::LastSelfCheckDate, QString());
        }
        QtSettingsStore next;
        QCOMPARE(next.location(), file());
        QCOMPARE(next.read(SettingKey::KrvnPath), QStringLiteral("C:\\Games\\Korvane Ü\\"));
        // A key stored empty is present: its default does not come back.
        QCOMPARE(next.read(SettingKey::LastSelfCheckDate, QStringLiteral("x")), QString());
    }

    // One failed write must not make every later write fail.
    void aFailedWriteDoesNotSpoilTheNextOne()
    {
        QVERIFY(writeFile(folder())); // a file where the settings folder belongs
        QtSettingsStore disk;
        QVERIFY_THROWS_EXCEPTION(Failure, disk.write(SettingKey::Platform, QStringLiteral("WIN64")));

        QVERIFY(QFile::remove(folder()));
        disk.write(SettingKey::Platform, QStringLiteral("WIN32"));
        QCOMPARE(QtSettingsStore().read(SettingKey::Platform), QStringLiteral("WIN32"));
    }

    // A section header missing its "]" spoils neither the other keys nor the defaults.
    void aMalformedLineLeavesTheRestReadable()
    {
        QVERIFY(writeFile(file(), "[General]\nKRVNPath=/games/korvane/\n[Broken\nother=1\n"));
        QtSettingsStore disk;
        QCOMPARE(disk.read(SettingKey::KrvnPath), QStringLiteral("/games/korvane/"));
        QCOMPARE(disk.read(SettingKey::LatestStable), QStringLiteral("1.4.0"));
        disk.write(SettingKey::LatestBeta, QStringLiteral("1.5.0-beta1"));
        QCOMPARE(QtSettingsStore().read(SettingKey::LatestBeta), QStringLiteral("1.5.0-beta1"));
    }
};

KRVNM_REGISTER_TEST(SettingsTest)
#include "SettingsTest.moc"
