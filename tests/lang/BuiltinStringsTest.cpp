#include "lang/BuiltinStrings.h"
#include "TestMain.h"
#include "app/AppState.h"

#include <QTest>

#include <algorithm>

namespace {

QString describe(int id, const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1Char('\n'), "\\n");
    return QStringLiteral("row %1 \"%2\"").arg(id).arg(shown);
}

// The characters after each single '&' ("&&" is a literal ampersand).
QString mnemonics(const QString& text)
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

// What a translated row shares with its English row, as one text; trailing blanks unless a full-width colon ends it.
QString shape(const QString& text, bool withTrailingBlanks = true)
{
    const auto spaces = [](auto begin, auto end) {
        return std::find_if_not(begin, end, [](QChar c) { return c.isSpace(); }) - begin;
    };
    const auto lead = spaces(text.begin(), text.end());
    const QString trail =
        withTrailingBlanks ? QString::number(spaces(text.rbegin(), text.rend())) : QStringLiteral("-");
    return QStringLiteral("#1#:%1 #2#:%2 #FN#:%3 '#':%4 LF:%5 lead:%6 trail:%7")
        .arg(text.count("#1#"))
        .arg(text.count("#2#"))
        .arg(text.count("#FN#"))
        .arg(text.count(QLatin1Char('#')))
        .arg(text.count(QLatin1Char('\n')))
        .arg(lead)
        .arg(trail);
}

} // namespace

class BuiltinStringsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each language: its own file behind its ids (row 1 tells), every row in use and no more, each fitting the code
    // that fills in its values and surviving being quoted in a translation file, three menus with distinct
    // accelerators, and no spacing its typography forbids (French: a no-break space before ":", "?", "!", ";" and
    // inside « »; Chinese: no blank after a full-width colon).
    void everyLanguage_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("row1");
        QTest::addColumn<QStringList>("wrongSpacing");
        const QStringList none;
        QTest::newRow("ENGLISH") << 0 << "&File" << none;
        QTest::newRow("SPANISH") << 1 << "&Archivo" << none;
        QTest::newRow("PORTUGUESE_BR") << 2 << "&Arquivo" << none;
        QTest::newRow("FRENCH") << 3 << "&Fichier" << QStringList{" :", " ?", " !", " ;", "« ", " »"};
        QTest::newRow("POLISH") << 4 << "&Plik" << none;
        QTest::newRow("SLOVAK") << 5 << "&Súbor" << none;
        QTest::newRow("KOREAN") << 6 << "파일 (&F)" << none;
        QTest::newRow("SCHINESE") << 7 << "文件 (&F)" << QStringList{"： "};
        QTest::newRow("TCHINESE") << 8 << "檔案 (&F)" << QStringList{"： "};
        QTest::newRow("DUTCH") << 9 << "&Bestand" << none;
        QTest::newRow("ESTONIAN") << 10 << "&Fail" << none;
    }

    void everyLanguage()
    {
        QFETCH(int, k);
        QFETCH(QString, row1);
        QFETCH(QStringList, wrongSpacing);
        const BuiltinStrings& strings = BuiltinStrings::compiled();
        QCOMPARE(strings.lookup(BuiltinStrings::rowId(k, 1)), std::optional<QString>(row1));

        QStringList faults;
        for (int n : {0, AppState::LanguageStringCount + 1, 999})
            if (strings.lookup(BuiltinStrings::rowId(k, n)))
                faults << QStringLiteral("row %1 should not exist").arg(BuiltinStrings::rowId(k, n));
        QString menuKeys;
        for (int n = 1; n <= AppState::LanguageStringCount; ++n) {
            const int id = BuiltinStrings::rowId(k, n);
            const QString text = strings.lookup(id).value_or(QString());
            const QString english = strings.lookup(n).value_or(QString());
            if (text.trimmed().isEmpty())
                faults << describe(id, text) + ": missing or empty";
            const bool blanksCount = !text.endsWith(QChar(0xFF1A)); // a full-width colon carries its own space
            if (shape(text, blanksCount) != shape(english, blanksCount))
                faults << describe(id, text) + ": got " + shape(text, blanksCount) + ", expected " +
                              shape(english, blanksCount);
            if (text.contains(u'"') || text.contains("%VER") || text.contains(u'\r') || text.contains(u'\t'))
                faults << describe(id, text) + ": holds a double quote, %VER, CR or tab";
            const QString own = mnemonics(text);
            if (n <= 3 && (own.size() != 1 || own[0].isSpace() || menuKeys.contains(own)))
                faults << describe(id, text) + ": needs one accelerator of its own";
            menuKeys += n <= 3 ? own : QString();
            for (const QString& spacing : wrongSpacing)
                if (text.contains(spacing))
                    faults << describe(id, text) + QStringLiteral(": \"%1\"").arg(spacing);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    void lookupAndRowFiles()
    {
        BuiltinStrings strings;
        strings.addRows(QStringLiteral("# comment\r\n1\tOne\r\n\r\nno tab here\n2\tTwo \\\\n not a break\n"
                                       "x\tnot a number\n3\tA\\nB\n"),
                        1000);
        QCOMPARE(strings.size(), 3);
        QCOMPARE(strings.lookup(1001), std::optional<QString>("One"));
        QCOMPARE(strings.lookup(1002), std::optional<QString>("Two \\n not a break"));
        QCOMPARE(strings.lookup(1003), std::optional<QString>("A\nB"));
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
