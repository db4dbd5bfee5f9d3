#include "app/Settings.h"
#include "AppFixture.h"
#include "TestMain.h"

#include <QAction>
#include <QTest>

class SettingsTest : public QObject
{
    Q_OBJECT

private:
    MemorySettingsStore store;
    FakePlatform platform;
    ScriptedDialogs dialogs;

    AppState load()
    {
        AppState state;
        LoadSettings(state, store, platform, dialogs);
        return state;
    }

private Q_SLOTS:
    void init()
    {
        store = {};
        platform = {};
        dialogs = {};
    }

    void firstStartLoadsEveryDefault()
    {
        const AppState s = load();
        QCOMPARE(s.Language, QStringLiteral("---"));
        QCOMPARE(s.ConnectionType, 0);
        QCOMPARE(s.UseProxyAuth, 0);
        QCOMPARE(s.ProxyAddress, QString());
        QCOMPARE(s.ProxyPort, 80);
        QCOMPARE(s.ProxyUser, QString());
        QCOMPARE(s.ProxyPass, QString());
        QCOMPARE(s.KrvnPath, QString());
        QCOMPARE(s.LatestStable, QStringLiteral("1.4.0"));
        QCOMPARE(s.LatestStableDate, QStringLiteral("2013-04-01"));
        QCOMPARE(s.LatestBeta, QStringLiteral("1.4.0-beta5"));
        QCOMPARE(s.LatestBetaDate, QStringLiteral("2014-02-25"));
        QCOMPARE(s.LatestNightly, QStringLiteral("r26400"));
        QCOMPARE(s.LatestNightlyDate, QStringLiteral("2014-03-12"));
        QCOMPARE(s.LatestVersionGot, QString());
        QCOMPARE(s.LastCheckDate, QString());
        QCOMPARE(s.LastSelfCheckDate, QString());
        QCOMPARE(s.endpoints.buildServer, QStringLiteral("http://builds.korvane.example"));
        QVERIFY(s.endpoints.makerServer.endsWith(QLatin1String(".example")));
        QCOMPARE(s.PlatformIndex, 2);
        QVERIFY2(dialogs.messages.isEmpty(), "a clean store must load without a message");
        QVERIFY2(store.writes.isEmpty(), "loading must not store anything, not even the derived platform");
    }

    void derivesPlatformWhenNoneStored_data()
    {
        QTest::addColumn<bool>("queried");
        QTest::addColumn<int>("platformId");
        QTest::addColumn<bool>("windows64");
        QTest::addColumn<int>("expected");
        QTest::newRow("Win32s") << true << 0 << false << 0;
        QTest::newRow("Win32s on 64-bit answer") << true << 0 << true << 0;
        QTest::newRow("Windows 98, 32-bit") << true << 1 << false << 1;
        QTest::newRow("NT, 32-bit") << true << 2 << false << 1;
        QTest::newRow("NT, 64-bit") << true << 2 << true << 2;
        QTest::newRow("query failed, 64-bit") << false << 0 << true << 2;
    }

    void derivesPlatformWhenNoneStored()
    {
        QFETCH(bool, queried);
        QFETCH(int, platformId);
        QFETCH(bool, windows64);
        QFETCH(int, expected);
        platform.version = {queried, static_cast<unsigned long>(platformId), 10, 0, 0};
        platform.windows64 = windows64;
        QCOMPARE(load().PlatformIndex, expected);
    }

    void storedPlatformText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("WIN9X") << "WIN9X" << 0;
        QTest::newRow("WIN32") << "WIN32" << 1;
        QTest::newRow("WIN64") << "WIN64" << 2;
        QTest::newRow("lower-case win64") << "win64" << 1;
        QTest::newRow("other text") << "AMIGA" << 1;
        QTest::newRow("empty text") << "" << 1;
    }

    void storedPlatformText()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        platform.windows64 = true;              // a derivation would give 2
        platform.version = {true, 0, 3, 10, 0}; // ... or 0 on Win32s
        store.values.insert(QStringLiteral("Platform"), stored);
        QCOMPARE(load().PlatformIndex, expected);
    }

    // Numbers are read loosely (any decimal text, rounded half to even) but must fit their range.
    void numbers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("message");
        QTest::newRow("port 0") << "PROXYPORT"
                                << "0" << 0 << false;
        QTest::newRow("port 32768") << "PROXYPORT"
                                    << "32768" << 32768 << false;
        QTest::newRow("highest port") << "PROXYPORT"
                                      << "65535" << 65535 << false;
        QTest::newRow("above the port range") << "PROXYPORT"
                                              << "65536" << 0 << true;
        QTest::newRow("negative port") << "PROXYPORT"
                                       << "-1" << 0 << true;
        QTest::newRow("empty port") << "PROXYPORT"
                                    << "" << 0 << true;
        QTest::newRow("port with a fraction") << "PROXYPORT"
                                              << "8080.0" << 8080 << false;
        QTest::newRow("half rounds to even") << "PROXYPORT"
                                             << "8080.5" << 8080 << false;
        QTest::newRow("surrounded by blanks") << "PROXYPORT"
                                              << " 3128 " << 3128 << false;
        QTest::newRow("rounds above the range") << "PROXYPORT"
                                                << "65535.5" << 0 << true;
        QTest::newRow("signed") << "CONNECTIONTYPE"
                                << "+2" << 2 << false;
        QTest::newRow("1.5 rounds to even") << "USEPROXYAUTH"
                                            << "1.5" << 2 << false;
        QTest::newRow("highest small") << "CONNECTIONTYPE"
                                       << "255" << 255 << false;
        QTest::newRow("above small") << "USEPROXYAUTH"
                                     << "256" << 0 << true;
        QTest::newRow("text") << "CONNECTIONTYPE"
                              << "two" << 0 << true;
    }

    void numbers()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QFETCH(bool, message);
        store.values.insert(key, stored);
        store.values.insert(QStringLiteral("PROXYUSER"), QStringLiteral("alice"));
        const AppState s = load();
        const QHash<QString, int> read = {
            {"PROXYPORT", s.ProxyPort}, {"CONNECTIONTYPE", s.ConnectionType}, {"USEPROXYAUTH", s.UseProxyAuth}};
        QCOMPARE(read.value(key), expected);
        QCOMPARE(s.ProxyUser, QStringLiteral("alice")); // the keys after a failed one still load
        QCOMPARE(dialogs.messages.size(), message ? 1 : 0);
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
        QCOMPARE(s.ConnectionType, 0);
        QCOMPARE(s.ProxyPort, 0);
        QCOMPARE(s.LatestBeta, QString()); // keeps what it held
        QCOMPARE(s.LatestNightly, QStringLiteral("r30000"));
        QCOMPARE(s.LastCheckDate, QString());
        QCOMPARE(s.PlatformIndex, 2); // unreadable platform: derived
    }

    void endpointsAreBaseAddresses()
    {
        store.values.insert(QStringLiteral("BUILDSERVER"), QStringLiteral("http://127.0.0.1:8080/"));
        store.values.insert(QStringLiteral("FEEDSERVER"), QStringLiteral("https://feed.test//"));
        const AppState s = load();
        QCOMPARE(s.endpoints.buildServer, QStringLiteral("http://127.0.0.1:8080"));
        QCOMPARE(s.endpoints.feedServer, QStringLiteral("https://feed.test"));
        QCOMPARE(s.endpoints.wikiServer, QStringLiteral("http://wiki.korvane.example"));
    }

    void platformMenuStoresAtOnceAndNextStartChecksIt()
    {
        AppFixture app;
        frmMain& first = app.startWindow();
        auto* win9x = first.findChild<QAction*>(QStringLiteral("mnuWin9x"));
        auto* win32 = first.findChild<QAction*>(QStringLiteral("mnuWin32"));
        auto* win64 = first.findChild<QAction*>(QStringLiteral("mnuWin64"));
        QVERIFY(win9x && win32 && win64);
        QVERIFY(win64->isChecked()); // derived on a 64-bit system
        QVERIFY(!app.settings.values.contains(QStringLiteral("Platform")));

        win9x->trigger();
        QCOMPARE(app.settings.values.value(QStringLiteral("Platform")), QStringLiteral("WIN9X"));
        QCOMPARE(app.state->PlatformIndex, 0);
        QVERIFY(win9x->isChecked() && !win32->isChecked() && !win64->isChecked());

        win32->trigger();
        QCOMPARE(app.settings.values.value(QStringLiteral("Platform")), QStringLiteral("WIN32"));
        QVERIFY(!win9x->isChecked() && win32->isChecked() && !win64->isChecked());

        app.platform.windows64 = true;
        frmMain& second = app.startWindow();
        QVERIFY(second.findChild<QAction*>(QStringLiteral("mnuWin32"))->isChecked());
        QVERIFY(!second.findChild<QAction*>(QStringLiteral("mnuWin64"))->isChecked());
        QCOMPARE(app.state->PlatformIndex, 1);
    }
};

KRVNM_REGISTER_TEST(SettingsTest)
#include "SettingsTest.moc"
