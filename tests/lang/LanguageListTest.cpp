#include "lang/LanguageList.h"
#include "FakePlatform.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

class LanguageListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row from its descriptor, named as the system names its locale (up to a NUL), else after its key.
    void listRows_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<bool>("supported");
        QTest::addColumn<QString>("systemName"); // of the Estonian locale
        QTest::addColumn<QString>("row");        // code page, locale, key, name
        const auto row = [](const char* name, int k, bool supported, const QString& systemName, const char* shown) {
            QTest::newRow(name) << k << supported << systemName << shown;
        };
        row("named", 10, true, "Estonian (Estonia)", "1257 1061 ESTONIAN Estonian (Estonia)");
        row("buffer padded with NULs", 10, true, QStringLiteral("eesti\0\0\0\0"), "1257 1061 ESTONIAN eesti");
        row("only NULs", 10, true, QString(2, QChar(0)), "1257 1061 ESTONIAN Estonian");
        row("locale not supported", 10, false, "Estonian (Estonia)", "1257 1061 ESTONIAN Estonian");
        row("no name, leading zero dropped", 6, true, "", "949 1042 KOREAN Korean");
        row("no name, key with _", 2, true, "", "1252 1046 PORTUGUESE_BR Portuguese_br");
        row("hexadecimal letters", 1, true, "", "1252 3082 SPANISH Spanish");
        row("11 stays empty", 11, true, "", "0 0  ");
    }

    void listRows()
    {
        QFETCH(int, k);
        QFETCH(bool, supported);
        QFETCH(QString, systemName);
        QFETCH(QString, row);
        FakePlatform platform;
        platform.languageNames.insert(1061, systemName);
        if (!supported)
            platform.unsupportedLocales.insert(1061);
        AppState state;
        buildLanguageList(state, BuiltinStrings::compiled(), platform);
        const LanguageListRow& got = state.languages.at(static_cast<size_t>(k));
        QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(got.codePage).arg(got.localeId).arg(got.key, got.displayName), row);
    }

    void findLanguageListIndex_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("position");
        const QStringList rowOrder = {"English", "Spanish",  "Portuguese_br", "French", "Polish",  "Slovak",
                                      "Korean",  "Schinese", "Tchinese",      "Dutch",  "Estonian"};
        QStringList sorted = rowOrder;
        sorted.sort();
        QTest::newRow("row order") << rowOrder << 3 << 3;
        QTest::newRow("sorted") << sorted << 3 << sorted.indexOf("French");
        QTest::newRow("match at 0") << rowOrder << 0 << 0;
        QTest::newRow("match at the last position") << rowOrder << 10 << 10; // Estonian
        QTest::newRow("no match") << QStringList{"Français", "Deutsch"} << 3 << 0;
        QTest::newRow("match beyond position 10") << QStringList(11, "x") + QStringList{"French"} << 3 << 0;
        QTest::newRow("case differs") << QStringList{"x", "FRENCH"} << 3 << 0;
    }

    void findLanguageListIndex()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, k);
        QFETCH(int, position);
        FakePlatform platform;
        AppState state;
        buildLanguageList(state, BuiltinStrings::compiled(), platform);
        QCOMPARE(::findLanguageListIndex(state, k, entries), position);
    }
};

KRVNM_REGISTER_TEST(LanguageListTest)
#include "LanguageListTest.moc"
