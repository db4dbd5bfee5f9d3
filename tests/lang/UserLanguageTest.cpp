#include "lang/UserLanguage.h"
#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

#include <utility>

namespace {

AppState StateWithList(FakePlatform& platform)
{
    AppState state;
    ReadUserLocale(state, BuiltinStrings::Compiled(), platform);
    return state;
}

} // namespace

class UserLanguageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fontCharsetOfTheUserCodePage_data()
    {
        QTest::addColumn<QString>("codePage");
        QTest::addColumn<int>("charset");
        for (const auto& [codePage, charset] : {std::pair("1251", 204),
                                                {"1252", 0},
                                                {"437", 0},
                                                {"936", 134},
                                                {"1361", 130},
                                                {"874", 222},
                                                {"", 0},
                                                {"ANSI", 0}})
            QTest::addRow("'%s'", codePage) << QString::fromUtf8(codePage) << charset;
    }

    void fontCharsetOfTheUserCodePage()
    {
        QFETCH(QString, codePage);
        QFETCH(int, charset);
        FakePlatform platform;
        platform.userAnsiCodePage = codePage;
        const AppState state = StateWithList(platform);
        QCOMPARE(int(state.FontCharset), charset);
        QCOMPARE(state.Languages.at(3).key, "FRENCH");
    }

    void detectsTheUserLanguage_data()
    {
        QTest::addColumn<QString>("userLanguage");
        QTest::addColumn<QString>("defaultKey");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("k");
        const auto row = [](const char* user, const char* defaultKey, const char* language, int k) {
            QTest::addRow("'%s', default %s", user, defaultKey)
                << QString::fromUtf8(user) << QString::fromUtf8(defaultKey) << QString::fromUtf8(language) << k;
        };
        row("French", "ENGLISH", "FRENCH", 3);
        row("fRENCH", "ENGLISH", "FRENCH", 3); // letter case ignored
        row("Spanish", "ENGLISH", "SPANISH", 1);
        row("Korean", "ENGLISH", "KOREAN", 6);
        row("Portuguese", "ENGLISH", "ENGLISH", 0);
        row("Chinese", "ENGLISH", "ENGLISH", 0);
        row("Chinese (Simplified)", "ENGLISH", "ENGLISH", 0); // as Windows names it
        row("", "ENGLISH", "ENGLISH", 0);
        row("Klingon", "DUTCH", "DUTCH", 9);
    }

    void detectsTheUserLanguage()
    {
        QFETCH(QString, userLanguage);
        QFETCH(QString, defaultKey);
        QFETCH(QString, language);
        QFETCH(int, k);
        FakePlatform platform;
        platform.userLanguage = userLanguage;
        AppState state = StateWithList(platform);
        state.LanguageIndex = 5;
        DetectUserLanguage(state, platform, defaultKey);
        QCOMPARE(state.Language, language);
        QCOMPARE(int(state.LanguageIndex), k);
        QCOMPARE(state.UserLanguageName, userLanguage.toUpper());
    }

    void unreadableLanguageRowMatchesNoUserLanguage()
    {
        BuiltinStrings strings = BuiltinStrings::Compiled();
        strings.removeRow(600);
        FakePlatform platform;
        platform.userLanguage = QStringLiteral("French");
        AppState state;
        ReadUserLocale(state, strings, platform);
        DetectUserLanguage(state, platform, QStringLiteral("ENGLISH"));
        QCOMPARE(state.Language, "FRENCH");
        QCOMPARE(int(state.LanguageIndex), 3);
    }

    void startupSelection_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("userLanguage");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("k");
        const auto row = [](const char* name, const char* stored, const char* user, const char* language, int k) {
            QTest::newRow(name) << QString::fromUtf8(stored) << QString::fromUtf8(user) << QString::fromUtf8(language)
                                << k;
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
        AppState state = StateWithList(platform);
        state.Language = stored;
        SelectLanguage(state, platform);
        QCOMPARE(state.Language, language);
        QCOMPARE(int(state.LanguageIndex), k);
    }
};

KRVNM_REGISTER_TEST(UserLanguageTest)
#include "UserLanguageTest.moc"
