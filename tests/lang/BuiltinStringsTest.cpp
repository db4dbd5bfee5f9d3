#include "lang/BuiltinStrings.h"
#include "TestMain.h"

#include <QTest>

namespace {

constexpr int RowCount = 88;

const char* const Keys[BuiltinStrings::LanguageCount] = {"ENGLISH",  "SPANISH", "PORTUGUESE_BR", "FRENCH",
                                                         "POLISH",   "SLOVAK",  "KOREAN",        "SCHINESE",
                                                         "TCHINESE", "DUTCH",   "ESTONIAN"};

QString Describe(int id, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QStringLiteral("row %1 \"%2\"").arg(id).arg(shown);
}

// The characters after each single '&' ("&&" is a literal ampersand).
QString Mnemonics(const QString& text)
{
    QString keys;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            keys += text[i + 1].toLower();
        ++i;
    }
    return keys;
}

qsizetype LeadingSpaces(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    return i;
}

qsizetype TrailingSpaces(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[text.size() - 1 - i].isSpace())
        ++i;
    return i;
}

// Everything a translated row must share with its English row, as one comparable text.
// Blanks at the end are left out after a full-width colon, which carries its own space.
QString Shape(const QString& text, bool withTrailingBlanks = true)
{
    const QString trailing = withTrailingBlanks ? QString::number(TrailingSpaces(text)) : QStringLiteral("-");
    return QStringLiteral("#1#:%1 #2#:%2 #FN#:%3 '#':%4 LF:%5 lead:%6 trail:%7")
        .arg(text.count(QStringLiteral("#1#")))
        .arg(text.count(QStringLiteral("#2#")))
        .arg(text.count(QStringLiteral("#FN#")))
        .arg(text.count(QLatin1Char('#')))
        .arg(text.count(QLatin1Char('\n')))
        .arg(LeadingSpaces(text))
        .arg(trailing);
}

void AddLanguageRows()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
        QTest::newRow(Keys[k]) << k;
}

} // namespace

class BuiltinStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void descriptors_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("descriptor");
        QTest::newRow("600") << 600 << "1252-&H0809-ENGLISH";
        QTest::newRow("601") << 601 << "1252-&H0C0A-SPANISH";
        QTest::newRow("602") << 602 << "1252-&H0416-PORTUGUESE_BR";
        QTest::newRow("603") << 603 << "1252-&H040C-FRENCH";
        QTest::newRow("604") << 604 << "1250-&H0415-POLISH";
        QTest::newRow("605") << 605 << "1250-&H041B-SLOVAK";
        QTest::newRow("606") << 606 << "0949-&H0412-KOREAN";
        QTest::newRow("607") << 607 << "0936-&H0804-SCHINESE";
        QTest::newRow("608") << 608 << "0950-&H0404-TCHINESE";
        QTest::newRow("609") << 609 << "1252-&H0413-DUTCH";
        QTest::newRow("610") << 610 << "1257-&H0425-ESTONIAN";
    }

    void descriptors()
    {
        QFETCH(int, id);
        QFETCH(QString, descriptor);
        QCOMPARE(BuiltinStrings::Compiled().lookup(id), std::optional<QString>(descriptor));
        QVERIFY(!BuiltinStrings::Compiled().lookup(BuiltinStrings::DescriptorBase + BuiltinStrings::LanguageCount));
    }

    void tellingRows_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("1001 Spanish") << 1001 << "&Archivo";
        QTest::newRow("2001 Portuguese") << 2001 << "&Arquivo";
        QTest::newRow("3001 French") << 3001 << "&Fichier";
        QTest::newRow("4001 Polish") << 4001 << "&Plik";
        QTest::newRow("5001 Slovak") << 5001 << "&Súbor";
        QTest::newRow("8001 Traditional Chinese") << 8001 << "檔案 (&F)";
        QTest::newRow("9001 Dutch") << 9001 << "&Bestand";
        QTest::newRow("10001 Estonian") << 10001 << "&Fail";
        QTest::newRow("1044 Spanish") << 1044 << "Comprobar Actualizaciones";
        QTest::newRow("10044 Estonian") << 10044 << "Kontrolli uuendusi";
        QTest::newRow("1085 Spanish") << 1085 << "Instalado";
        QTest::newRow("3085 French") << 3085 << "Installé";
        QTest::newRow("2009 Portuguese") << 2009 << "Korvane Manager website";
        QTest::newRow("9009 Dutch") << 9009 << "Korvane Manager website";
        QTest::newRow("29 English") << 29 << "Translated by: Program author";
        QTest::newRow("3029 French") << 3029 << "Traduit par\u00A0: l'auteur du programme";
        QTest::newRow("3063 French") << 3063 << "Ko téléchargés,";
        QTest::newRow("7022 Simplified Chinese") << 7022 << "Windows 可用物理内存：";
        QTest::newRow("652 notice")
            << 652
            << "When contacting the KRVNM author please do it in english or spanish only.\n\nAl "
               "contactar al autor de KRVNM por favor hazlo en inglés o español únicamente.";
        QTest::newRow("678 template") << 678 << "Your name: ";
        QTest::newRow("679 template") << 679 << "New Language: ";
    }

    void tellingRows()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(BuiltinStrings::Compiled().lookup(id), std::optional<QString>(text));
    }

    // The Korean and Chinese rows put the accelerator behind the word.
    void eastAsianRowOnePutsAcceleratorLast_data()
    {
        QTest::addColumn<int>("k");
        QTest::newRow("KOREAN") << 6;
        QTest::newRow("SCHINESE") << 7;
        QTest::newRow("TCHINESE") << 8;
    }

    void eastAsianRowOnePutsAcceleratorLast()
    {
        QFETCH(int, k);
        const QString text = BuiltinStrings::Compiled().lookup(BuiltinStrings::RowId(k, 1)).value_or(QString());
        QVERIFY2(text.endsWith(QStringLiteral(" (&F)")) && text.size() > 5, qPrintable(Describe(k * 1000 + 1, text)));
    }

    void everyLanguageHoldsExactlyItsRows_data() { AddLanguageRows(); }

    void everyLanguageHoldsExactlyItsRows()
    {
        QFETCH(int, k);
        const BuiltinStrings& strings = BuiltinStrings::Compiled();
        QStringList faults;
        for (int n = 1; n <= RowCount; ++n) {
            const int id = BuiltinStrings::RowId(k, n);
            const auto text = strings.lookup(id);
            if (!text)
                faults << QStringLiteral("row %1 missing").arg(id);
            else if (text->trimmed().isEmpty())
                faults << QStringLiteral("row %1 empty").arg(id);
        }
        for (int n : {0, RowCount + 1, 999}) {
            if (strings.lookup(BuiltinStrings::RowId(k, n)))
                faults << QStringLiteral("row %1 should not exist").arg(BuiltinStrings::RowId(k, n));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        const QString descriptor = strings.lookup(BuiltinStrings::DescriptorBase + k).value_or(QString());
        QCOMPARE(descriptor.section(QLatin1Char('-'), 2), QString::fromLatin1(Keys[k]));
    }

    // A row a translator changed must still fit the code that fills in its values, and
    // must survive being quoted in a translation file.
    void translatedRowsKeepTheirShape_data() { AddLanguageRows(); }

    void translatedRowsKeepTheirShape()
    {
        QFETCH(int, k);
        const BuiltinStrings& strings = BuiltinStrings::Compiled();
        QStringList faults;
        for (int n = 1; n <= RowCount; ++n) {
            const QString english = strings.lookup(n).value_or(QString());
            const int id = BuiltinStrings::RowId(k, n);
            const QString text = strings.lookup(id).value_or(QString());
            const bool blanksCount = !text.endsWith(QChar(0xFF1A));
            if (Shape(text, blanksCount) != Shape(english, blanksCount))
                faults << Describe(id, text) + QStringLiteral(": got ") + Shape(text, blanksCount) +
                              QStringLiteral(", expected ") + Shape(english, blanksCount);
            if (text.contains(QLatin1Char('"')) || text.contains(QStringLiteral("%VER")) ||
                text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\t')))
                faults << Describe(id, text) + QStringLiteral(": holds a double quote, %VER, CR or tab");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

    // French puts a no-break space before ":", "?", "!" and ";" and inside « »; Chinese
    // needs no blank after a full-width colon.
    void punctuationSpacing_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QStringList>("wrong");
        QTest::newRow("FRENCH") << 3 << QStringList{" :", " ?", " !", " ;", "« ", " »"};
        QTest::newRow("SCHINESE") << 7 << QStringList{"： "};
        QTest::newRow("TCHINESE") << 8 << QStringList{"： "};
    }

    void punctuationSpacing()
    {
        QFETCH(int, k);
        QFETCH(QStringList, wrong);
        QStringList faults;
        for (int n = 1; n <= RowCount; ++n) {
            const int id = BuiltinStrings::RowId(k, n);
            const QString text = BuiltinStrings::Compiled().lookup(id).value_or(QString());
            for (const QString& spacing : wrong)
                if (text.contains(spacing))
                    faults << Describe(id, text);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

    void menuAcceleratorsAreDistinct_data() { AddLanguageRows(); }

    void menuAcceleratorsAreDistinct()
    {
        QFETCH(int, k);
        const BuiltinStrings& strings = BuiltinStrings::Compiled();
        QString keys;
        QStringList faults;
        for (int n = 1; n <= 3; ++n) {
            const int id = BuiltinStrings::RowId(k, n);
            const QString text = strings.lookup(id).value_or(QString());
            const QString own = Mnemonics(text);
            if (own.size() != 1 || own[0].isSpace())
                faults << Describe(id, text) + QStringLiteral(": needs exactly one accelerator");
            else if (keys.contains(own))
                faults << Describe(id, text) + QStringLiteral(": accelerator '%1' repeats an earlier menu's").arg(own);
            keys += own;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    }

    void lookupAndRowFiles()
    {
        BuiltinStrings strings;
        QVERIFY(!strings.lookup(1));
        strings.addRows(QStringLiteral("# comment\r\n1\tOne\r\n\r\nno tab here\n2\tTwo \\\\n not a break\n"
                                       "x\tnot a number\n3\tA\\nB\n"),
                        1000);
        QCOMPARE(strings.size(), 3);
        QCOMPARE(strings.lookup(1001), std::optional<QString>(QStringLiteral("One")));
        QCOMPARE(strings.lookup(1002), std::optional<QString>(QStringLiteral("Two \\n not a break")));
        QCOMPARE(strings.lookup(1003), std::optional<QString>(QStringLiteral("A\nB")));
        QVERIFY(!strings.lookup(1));
        QVERIFY(!strings.lookup(1004));
        strings.removeRow(1001);
        QVERIFY(!strings.lookup(1001));
        strings.setRow(1001, QString());
        QCOMPARE(strings.lookup(1001), std::optional<QString>(QString())); // an empty row still exists
    }
};

KRVNM_REGISTER_TEST(BuiltinStringsTest)
#include "BuiltinStringsTest.moc"
