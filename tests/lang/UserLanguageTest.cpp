#include "lang/UserLanguage.h"
#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

namespace {

AppState stateWithList(FakePlatform& platform)
{
    AppState state;
    readUserLocale(state, BuiltinStrings::compiled(), platform);
    return state;
}

} // namespace

class UserLanguageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The font character set of the user's code page, and the interface language the
    // user's language name begins with (else the default).
    void userLocale_data()
    {
        QTest::addColumn<QString>("userLanguage");
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<QString>("defaultKey");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("charset");
        const auto row = [](const char* user, const char* codePage, const char* defaultKey, const char* language, int k,
                            int charset) {
            QTest::addRow("'%s', '%s', default %s", user, codePage, defaultKey)
                << user << codePage << defaultKey << language << k << charset;
        };
        row("French", "1252", "ENGLISH", "FRENCH", 3, 0);
        row("fRENCH", "1251", "ENGLISH", "FRENCH", 3, 204); // letter case ignored
        row("Spanish", "437", "ENGLISH", "SPANISH", 1, 0);
        row("Korean", "ANSI", "ENGLISH", "KOREAN", 6, 0);
        row("Portuguese", "874", "ENGLISH", "ENGLISH", 0, 222);
        row("Chinese (Simplified)", "936", "ENGLISH", "ENGLISH", 0, 134); // as Windows names it
        row("", "", "ENGLISH", "ENGLISH", 0, 0);
        row("Klingon", "1361", "DUTCH", "DUTCH", 9, 130);
    }

    void userLocale()
    {
        QFETCH(QString, userLanguage);
        QFETCH(QString, codePage);
        QFETCH(QString, defaultKey);
        QFETCH(QString, language);
        QFETCH(int, k);
        QFETCH(int, charset);
        FakePlatform platform;
        platform.userLanguage = userLanguage;
        platform.userAnsiCodePage = codePage;
        AppState state = stateWithList(platform);
        QCOMPARE(int(state.fontCharset), charset);
        state.languageIndex = 5;
        detectUserLanguage(state, platform, defaultKey);
        QCOMPARE(state.language, language);
        QCOMPARE(int(state.languageIndex), k);
        QCOMPARE(state.userLanguageName, userLanguage.toUpper());
    }

    void startupSelection_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("userLanguage");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("k");
        const auto row = [](const char* name, const char* stored, const char* user, const char* language, int k) {
            QTest::newRow(name) << stored << user << language << k;
        };
        row("none chosen: French system", "---", "French", "FRENCH", 3);
        row("none chosen: Portuguese system", "---", "Portuguese", "ENGLISH", 0);
        row("empty key detects too", "", "French", "FRENCH", 3);
        row("empty key is not Estonian", "", "Klingon", "ENGLISH", 0);
        row("SPANISH", "SPANISH", "French", "SPANISH", 1);
        row("CHINESE is in two keys", "CHINESE", "French", "CHINESE", 8);
        row("SCHINESE", "SCHINESE", "French", "SCHINESE", 7);
        row("no key holds it", "KLINGON", "French", "KLINGON", 0);
        row("letter case counts", "spanish", "Spanish", "spanish", 0);
    }

    void startupSelection()
    {
        QFETCH(QString, stored);
        QFETCH(QString, userLanguage);
        QFETCH(QString, language);
        QFETCH(int, k);
        FakePlatform platform;
        platform.userLanguage = userLanguage;
        AppState state = stateWithList(platform);
        state.language = stored;
        selectLanguage(state, platform);
        QCOMPARE(state.language, language);
        QCOMPARE(int(state.languageIndex), k);
    }
};

KRVNM_REGISTER_TEST(UserLanguageTest)
#include "UserLanguageTest.moc"
