#include "lang/UserLanguage.h"
#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

namespace {

struct Locale
{
    QString userLanguage, codePage, defaultKey; // the system's language name and code page, the default key
    QString language;                           // the language chosen, and its row k
    int k, charset;
};

struct Selection
{
    QString stored, userLanguage; // the key in the settings ("---": none chosen), the system's language name
    QString language;             // the language chosen, and its row k
    int k;
};

} // namespace

Q_DECLARE_METATYPE(Locale)
Q_DECLARE_METATYPE(Selection)

class UserLanguageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The font character set of the user's code page; the language their language name begins with, else the default.
    void userLocale_data()
    {
        QTest::addColumn<Locale>("l");
        const auto row = [](const Locale& l) {
            QTest::addRow("'%s', '%s', default %s", qPrintable(l.userLanguage), qPrintable(l.codePage),
                          qPrintable(l.defaultKey))
                << l;
        };
        row({"French", "1252", "ENGLISH", "FRENCH", 3, 0});
        row({"fRENCH", "1251", "ENGLISH", "FRENCH", 3, 204}); // letter case ignored
        row({"Spanish", "437", "ENGLISH", "SPANISH", 1, 0});
        row({"Korean", "ANSI", "ENGLISH", "KOREAN", 6, 0});
        row({"Portuguese", "874", "ENGLISH", "ENGLISH", 0, 222});
        row({"Chinese (Simplified)", "936", "ENGLISH", "ENGLISH", 0, 134}); // as Windows names it
        row({"", "", "ENGLISH", "ENGLISH", 0, 0});
        row({"Klingon", "1361", "DUTCH", "DUTCH", 9, 130});
    }

    void userLocale()
    {
        QFETCH(Locale, l);
        FakePlatform platform;
        platform.userLanguage = l.userLanguage;
        platform.userAnsiCodePage = l.codePage;
        AppState state;
        readUserLocale(state, BuiltinStrings::compiled(), platform);
        QCOMPARE(int(state.fontCharset), l.charset);
        state.languageIndex = 5;
        detectUserLanguage(state, platform, l.defaultKey);
        QCOMPARE(state.language, l.language);
        QCOMPARE(int(state.languageIndex), l.k);
        QCOMPARE(state.userLanguageName, l.userLanguage.toUpper());
    }

    void startupSelection_data()
    {
        QTest::addColumn<Selection>("s");
        QTest::newRow("none chosen: French system") << Selection{"---", "French", "FRENCH", 3};
        QTest::newRow("none chosen: Portuguese system") << Selection{"---", "Portuguese", "ENGLISH", 0};
        QTest::newRow("empty key detects too") << Selection{"", "French", "FRENCH", 3};
        QTest::newRow("empty key is not Estonian") << Selection{"", "Klingon", "ENGLISH", 0};
        QTest::newRow("SPANISH") << Selection{"SPANISH", "French", "SPANISH", 1};
        QTest::newRow("CHINESE is in two keys") << Selection{"CHINESE", "French", "CHINESE", 8};
        QTest::newRow("SCHINESE") << Selection{"SCHINESE", "French", "SCHINESE", 7};
        QTest::newRow("no key holds it") << Selection{"KLINGON", "French", "KLINGON", 0};
        QTest::newRow("letter case counts") << Selection{"spanish", "Spanish", "spanish", 0};
    }

    void startupSelection()
    {
        QFETCH(Selection, s);
        FakePlatform platform;
        platform.userLanguage = s.userLanguage;
        AppState state;
        readUserLocale(state, BuiltinStrings::compiled(), platform);
        state.language = s.stored;
        selectLanguage(state, platform);
        QCOMPARE(state.language, s.language);
        QCOMPARE(int(state.languageIndex), s.k);
    }
};

KRVNM_REGISTER_TEST(UserLanguageTest)
#include "UserLanguageTest.moc"
