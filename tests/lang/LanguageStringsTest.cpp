#include "lang/LanguageStrings.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

class LanguageStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A real language with rows taken away: each missing row alone falls back, and going
    // back to the complete language restores its own rows.
    void removedRowsFallBackOneByOne()
    {
        BuiltinStrings strings = BuiltinStrings::Compiled();
        strings.removeRow(1044);
        strings.removeRow(1082);
        AppState state;
        state.LanguageIndex = 1;
        QVERIFY(!LoadLanguageStrings(state, strings));
        QCOMPARE(state.str(44), strings.lookup(44).value());
        QCOMPARE(state.str(82), strings.lookup(82).value());
        QCOMPARE(state.str(43), strings.lookup(1043).value());
        QCOMPARE(state.str(45), strings.lookup(1045).value());

        QVERIFY(LoadLanguageStrings(state, BuiltinStrings::Compiled()));
        QCOMPARE(state.str(44), BuiltinStrings::Compiled().lookup(1044).value());
    }

    // A row missing even in English leaves its slot as it was.
    void rowMissingEverywhereKeepsItsSlot()
    {
        BuiltinStrings strings;
        strings.addRows("1\t&File\n2\t&Options\n3\tLine one\n");
        strings.addRows("1\t&Archivo\n3\tOtra\n", 1000);
        AppState state;
        state.LanguageIndex = 1;
        state.LanguageStrings[50] = "kept";
        QVERIFY(!LoadLanguageStrings(state, strings));
        QCOMPARE(state.str(1), "&Archivo");
        QCOMPARE(state.str(2), "&Options");
        QCOMPARE(state.str(3), "Otra");
        QCOMPARE(state.str(50), "kept");
    }
};

KRVNM_REGISTER_TEST(LanguageStringsTest)
#include "LanguageStringsTest.moc"
