#include "lang/UserLanguage.h"
#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

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
        QTest::newRow("1251") << "1251" << 204;
        QTest::newRow("1252") << "1252" << 0;
        QTest::newRow("437, unlisted") << "437" << 0;
        QTest::newRow("936") << "936" << 134;
        QTest::newRow("1361") << "1361" << 130;
        QTest::newRow("874") << "874" << 222;
        QTest::newRow("none") << "" << 0;
        QTest::newRow("not a number") << "ANSI" << 0;
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
        QTest::newRow("French") << "French"
                                << "ENGLISH"
                                << "FRENCH" << 3;
        QTest::newRow("letter case ignored") << "fRENCH"
                                             << "ENGLISH"
                                             << "FRENCH" << 3;
        QTest::newRow("Spanish") << "Spanish"
                                 << "ENGLISH"
                                 << "SPANISH" << 1;
        QTest::newRow("Korean") << "Korean"
                                << "ENGLISH"
                                << "KOREAN" << 6;
        QTest::newRow("Portuguese") << "Portuguese"
                                    << "ENGLISH"
                                    << "ENGLISH" << 0;
        QTest::newRow("Chinese") << "Chinese"
                                 << "ENGLISH"
                                 << "ENGLISH" << 0;
        QTest::newRow("Chinese as Windows names it") << "Chinese (Simplified)"
                                                     << "ENGLISH"
                                                     << "ENGLISH" << 0;
        QTest::newRow("no language") << ""
                                     << "ENGLISH"
                                     << "ENGLISH" << 0;
        QTest::newRow("another default") << "Klingon"
                                         << "DUTCH"
                                         << "DUTCH" << 9;
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
        QTest::newRow("none chosen: French system") << "---"
                                                    << "French"
                                                    << "FRENCH" << 3;
        QTest::newRow("none chosen: Portuguese system") << "---"
                                                        << "Portuguese"
                                                        << "ENGLISH" << 0;
        QTest::newRow("empty key detects too") << ""
                                               << "French"
                                               << "FRENCH" << 3;
        QTest::newRow("empty key is not Estonian") << ""
                                                   << "Klingon"
                                                   << "ENGLISH" << 0;
        QTest::newRow("SPANISH") << "SPANISH"
                                 << "French"
                                 << "SPANISH" << 1;
        QTest::newRow("CHINESE is in two keys") << "CHINESE"
                                                << "French"
                                                << "CHINESE" << 8;
        QTest::newRow("SCHINESE") << "SCHINESE"
                                  << "French"
                                  << "SCHINESE" << 7;
        QTest::newRow("no key holds it") << "KLINGON"
                                         << "French"
                                         << "KLINGON" << 0;
        QTest::newRow("letter case counts") << "spanish"
                                            << "Spanish"
                                            << "spanish" << 0;
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
