#include "lang/LanguageStrings.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

class LanguageStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows taken from a real language each fall back alone; the complete language restores its own rows.
    void removedRowsFallBackOneByOne()
    {
        BuiltinStrings strings = BuiltinStrings::compiled();
        strings.removeRow(1044);
        strings.removeRow(1082);
        AppState state;
        state.languageIndex = 1;
        QVERIFY(!loadLanguageStrings(state, strings));
        QCOMPARE((QStringList{state.str(44), state.str(82), state.str(43), state.str(45)}),
                 (QStringList{strings.lookup(44).value(), strings.lookup(82).value(), strings.lookup(1043).value(),
                              strings.lookup(1045).value()}));

        QVERIFY(loadLanguageStrings(state, BuiltinStrings::compiled()));
        QCOMPARE(state.str(44), BuiltinStrings::compiled().lookup(1044).value());
    }
};

KRVNM_REGISTER_TEST(LanguageStringsTest)
#include "LanguageStringsTest.moc"
