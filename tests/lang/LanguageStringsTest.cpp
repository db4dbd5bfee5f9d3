#include "lang/LanguageStrings.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

#include <QTest>

class LanguageStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void englishRows_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << "&File";
        QTest::newRow("5") << 5 << "Exit";
        QTest::newRow("29") << 29 << "Translated by: Program author";
        QTest::newRow("44") << 44 << "Check for Updates";
        QTest::newRow("51") << 51
                            << "KRVNM is currently downloading information from the Internet. Are you sure you want "
                               "to exit?";
        QTest::newRow("82") << 82
                            << "The selected folder does not contain korvane.exe.\n\nSelect the correct path or "
                               "download Korvane now using the Check for Updates button.";
        QTest::newRow("88") << 88 << "Original graphics and music resources not found, download now? (recommended)";
        QTest::newRow("descriptor 600") << 600 << "1252-&H0809-ENGLISH";
        QTest::newRow("descriptor 606") << 606 << "0949-&H0412-KOREAN";
        QTest::newRow("template 668") << 668 << "Your Name: ";
        QTest::newRow("template 665") << 665
                                      << " - Do not insert double quotes inside captions. Use simple quote (') if "
                                         "needed.";
    }

    void englishRows()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(BuiltinStrings::Compiled().lookup(id), std::optional<QString>(text));
    }

    void everyEnglishRowExistsAndNoMore()
    {
        const BuiltinStrings& strings = BuiltinStrings::Compiled();
        for (int n = 1; n <= 88; ++n) {
            const auto text = strings.lookup(n);
            QVERIFY2(text && !text->isEmpty(), qPrintable(QStringLiteral("row %1").arg(n)));
        }
        QVERIFY(!strings.lookup(0));
        QVERIFY(!strings.lookup(89));
    }

    void loadsEnglishCompletely()
    {
        AppState state;
        QVERIFY(LoadLanguageStrings(state, BuiltinStrings::Compiled()));
        QCOMPARE(state.str(1), QStringLiteral("&File"));
        QCOMPARE(state.str(88), BuiltinStrings::Compiled().lookup(88).value());
        QVERIFY(state.str(0).isEmpty());
    }

    void everyLanguageLoadsComplete_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("row1");
        QTest::newRow("ENGLISH") << 0 << "&File";
        QTest::newRow("SPANISH") << 1 << "&Archivo";
        QTest::newRow("PORTUGUESE_BR") << 2 << "&Arquivo";
        QTest::newRow("FRENCH") << 3 << "&Fichier";
        QTest::newRow("POLISH") << 4 << "&Plik";
        QTest::newRow("SLOVAK") << 5 << "&Súbor";
        QTest::newRow("KOREAN") << 6 << "파일 (&F)";
        QTest::newRow("SCHINESE") << 7 << "文件 (&F)";
        QTest::newRow("TCHINESE") << 8 << "檔案 (&F)";
        QTest::newRow("DUTCH") << 9 << "&Bestand";
        QTest::newRow("ESTONIAN") << 10 << "&Fail";
    }

    void everyLanguageLoadsComplete()
    {
        QFETCH(int, k);
        QFETCH(QString, row1);
        const BuiltinStrings& strings = BuiltinStrings::Compiled();
        AppState state;
        state.LanguageIndex = 1; // a load before the one under test must leave nothing behind
        QVERIFY(LoadLanguageStrings(state, strings));
        state.LanguageIndex = static_cast<std::uint8_t>(k);
        QVERIFY(LoadLanguageStrings(state, strings));
        QCOMPARE(state.str(1), row1);
        for (int n = 1; n <= 88; ++n)
            QCOMPARE(state.str(n), strings.lookup(BuiltinStrings::RowId(k, n)).value_or(QStringLiteral("<no row>")));
        QVERIFY(state.str(0).isEmpty());
    }

    // A real language with rows taken away: each missing row alone falls back.
    void removedRowsFallBackOneByOne()
    {
        BuiltinStrings strings = BuiltinStrings::Compiled();
        strings.removeRow(1044);
        strings.removeRow(1082);
        AppState state;
        state.LanguageIndex = 1;
        QVERIFY(!LoadLanguageStrings(state, strings));
        QCOMPARE(state.str(44), QStringLiteral("Check for Updates"));
        QCOMPARE(state.str(82), strings.lookup(82).value());
        QCOMPARE(state.str(43), strings.lookup(1043).value());
        QCOMPARE(state.str(45), strings.lookup(1045).value());
        QCOMPARE(state.str(85), QStringLiteral("Instalado"));
        QVERIFY(state.str(0).isEmpty());

        // Going back to the complete language restores its own rows.
        QVERIFY(LoadLanguageStrings(state, BuiltinStrings::Compiled()));
        QCOMPARE(state.str(44), QStringLiteral("Comprobar Actualizaciones"));
    }

    void missingRowsFallBackToEnglish()
    {
        BuiltinStrings strings;
        strings.addRows(QStringLiteral("# test data\n1\t&File\n2\t&Options\n3\tLine one\\nline two \\\\ end\n"));
        strings.addRows(QStringLiteral("1\t&Archivo\n3\tOtra\n"), 1000);
        AppState state;
        state.LanguageIndex = 1;
        QVERIFY(!LoadLanguageStrings(state, strings));
        QCOMPARE(state.str(1), QStringLiteral("&Archivo"));
        QCOMPARE(state.str(2), QStringLiteral("&Options"));
        QCOMPARE(state.str(3), QStringLiteral("Otra"));
        QVERIFY(state.str(0).isEmpty());

        state.LanguageIndex = 0;
        state.LanguageStrings[50] = QStringLiteral("kept");
        QVERIFY(LoadLanguageStrings(state, strings) == false); // rows 4..88 are missing even in English
        QCOMPARE(state.str(3), QStringLiteral("Line one\nline two \\ end"));
        QCOMPARE(state.str(50), QStringLiteral("kept")); // no row at all: the slot keeps its text
    }
};

KRVNM_REGISTER_TEST(LanguageStringsTest)
#include "LanguageStringsTest.moc"
