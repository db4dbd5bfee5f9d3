#include "lang/TranslationFiles.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// Templates that differ from the compiled ones, so the test shows which rows are read.
BuiltinStrings testTemplates()
{
    BuiltinStrings strings;
    strings.addRows(QStringLiteral("660\tT660 %VER and %VER, not %ver\n"
                                   "661\tT661\n662\tT662\n663\tT663\n664\tT664\n665\tT665\n666\tT666\n667\tT667\n"
                                   "668\tT668 \n669\tT669 \n"
                                   "670\tT670 %VER\n671\tT671\n672\tT672\n674\tT674\n675\tT675\n676\tT676\n"
                                   "677\tT677\n678\tT678\n679\tT679\n"));
    for (int n = 1; n <= AppState::LanguageStringCount; ++n)
        strings.setRow(n, QStringLiteral("English %1").arg(n));
    return strings;
}

// The completion file's header as the test templates make it.
QByteArray completionHeader(const QByteArray& key)
{
    return "T660 1.0.4 and 1.0.4, not %ver\r\nT661\r\nT662\r\nT663\r\nT664\r\nT665\r\nT666\r\nT667\r\nT668 \r\n"
           "T669 " +
           key + "\r\n\r\n";
}

} // namespace

class TranslationFilesTest : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> temp;
    AppState state;
    int settleMs = 5;

    QString folder() const { return temp->path() + QLatin1Char('/'); }
    QStringList filesIn(const QString& path) const
    {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    void selectLanguage(int k, const QString& key, const BuiltinStrings& strings)
    {
        state.languageIndex = static_cast<std::uint8_t>(k);
        state.language = key;
        loadLanguageStrings(state, strings);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(temp.emplace().isValid());
        settleMs = 5;
        state = AppState();
        state.workFolder = folder();
    }

    // The header from the templates (its first line names the version, its last the language), then each row the
    // language lacks with the text it shows instead, unchanged (quotes, bare line feeds, accents), its id unpadded.
    void completionFile_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("missing");
        QTest::addColumn<QByteArray>("entries");
        const auto row = [](int k, const char* key, const char* name, const QList<int>& missing,
                            const QByteArray& entries = {}) {
            QTest::newRow(key) << k << key << name << missing << entries;
        };
        row(0, "ENGLISH", "krvnm_104_english.txt", {});
        row(2, "PORTUGUESE_BR", "krvnm_104_portuguese_br.txt", {});
        // Elsewhere than on Windows the system encoding is UTF-8.
        row(10, "ESTONIAN", "krvnm_104_estonian.txt", {1, 7, 82},
            "10001, \"Say \"hi\"\"\r\n10007, \"Caf\xc3\xa9\"\r\n10082, \"one\n\ntwo\"\r\n");
    }

    void completionFile()
    {
        QFETCH(int, k);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QList<int>, missing);
        QFETCH(QByteArray, entries);
        BuiltinStrings strings = testTemplates();
        for (int n = 1; n <= AppState::LanguageStringCount && k > 0; ++n)
            if (!missing.contains(n))
                strings.setRow(BuiltinStrings::rowId(k, n), QStringLiteral("Translated %1").arg(n));
        selectLanguage(k, key, strings);
        state.languageStrings[1] = "Say \"hi\"";
        state.languageStrings[7] = "Café";
        state.languageStrings[82] = "one\n\ntwo";
        writeCompletionFile(state, strings, settleMs);
        QCOMPARE(filesIn(folder()), QStringList{name});
        QCOMPARE(readFile(folder() + name), completionHeader(key.toLatin1()) + entries);
    }

    // The English rows whatever the language, numbered with three digits; a row that cannot be read costs only its
    // line. The English completion file shares its name: the one written last replaces the other, shorter or longer.
    void newLanguageFile()
    {
        BuiltinStrings strings = testTemplates(); // no row 673
        strings.removeRow(2);
        for (int n = 1; n <= AppState::LanguageStringCount; ++n)
            strings.setRow(BuiltinStrings::rowId(1, n), QStringLiteral("Español %1").arg(n));
        QByteArray expected("T670 1.0.4\r\nT671\r\nT672\r\nT674\r\nT675\r\nT676\r\nT677\r\nT678\r\nT679\r\n\r\n\r\n");
        for (int n = 1; n <= AppState::LanguageStringCount; ++n)
            if (n != 2)
                expected += QStringLiteral("##%1, \"English %2\"\r\n").arg(n, 3, 10, QLatin1Char('0')).arg(n).toUtf8();
        const QString path = folder() + "krvnm_104_english.txt";
        selectLanguage(1, "SPANISH", strings);
        writeNewLanguageFile(state, strings, settleMs);
        QCOMPARE(readFile(path), expected);
        selectLanguage(0, "ENGLISH", strings);
        writeCompletionFile(state, strings, settleMs);
        // Row 2, missing in English too, keeps the Spanish text it showed.
        QCOMPARE(readFile(path), completionHeader("ENGLISH") + "2, \"Espa\xc3\xb1ol 2\"\r\n");
        writeNewLanguageFile(state, strings, settleMs);
        QCOMPARE(readFile(path), expected);
        QCOMPARE(filesIn(folder()), QStringList{"krvnm_104_english.txt"});
    }

    // The writers report nothing and throw nothing; the steps after a failure still run.
    void failingWritesReportNothing()
    {
        selectLanguage(1, "SPANISH", BuiltinStrings::compiled());
        settleMs = 20;
        QTest::failOnWarning(QRegularExpression(".*"));
        bool eventHandled = false;

        state.workFolder = folder() + "missing/";
        QTimer::singleShot(0, [&] { eventHandled = true; });
        writeCompletionFile(state, BuiltinStrings::compiled(), settleMs);
        QVERIFY2(eventHandled, "the wait after a failed write did not run");
        writeNewLanguageFile(state, BuiltinStrings::compiled(), settleMs);
        QVERIFY(!QFileInfo::exists(state.workFolder));

        // A folder in the file's place cannot be replaced.
        QVERIFY(QDir(folder()).mkdir("krvnm_104_english.txt"));
        state.workFolder = folder();
        writeNewLanguageFile(state, BuiltinStrings::compiled(), settleMs);
        QVERIFY(QFileInfo(folder() + "krvnm_104_english.txt").isDir());
    }

    // Neither a language key from the settings nor an unset work folder puts a file outside the work folder.
    void filesStayInTheWorkFolder()
    {
        QVERIFY(QDir(folder()).mkpath("work/krvnm_104_x"));
        state.workFolder = folder() + "work/";
        state.language = "X/../../ESCAPE";
        writeCompletionFile(state, BuiltinStrings::compiled(), settleMs);
        QCOMPARE(filesIn(folder()), QStringList{"work"});
        QCOMPARE(filesIn(folder() + "work"), QStringList{"krvnm_104_x"});

        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder() + "work"));
        state.workFolder.clear();
        state.language = "SPANISH";
        writeCompletionFile(state, BuiltinStrings::compiled(), settleMs);
        writeNewLanguageFile(state, BuiltinStrings::compiled(), settleMs);
        QDir::setCurrent(current);
        QCOMPARE(filesIn(folder() + "work"), QStringList{"krvnm_104_x"});
    }
};

KRVNM_REGISTER_TEST(TranslationFilesTest)
#include "TranslationFilesTest.moc"
