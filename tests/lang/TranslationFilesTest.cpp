#include "lang/TranslationFiles.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The template lines both files start with, as the built-in table holds them.
QByteArray Header(const QByteArray& purpose, const QByteArray& lastLines)
{
    return "Korvane Manager 1.0.4 translation file\r\n"
           "--------------------------------------\r\n"
           "This file has the required lines to " +
           purpose +
           ".\r\n"
           "Please translate and send the file to translations@quillonworks.example.\r\n"
           "Notice:\r\n"
           " - Do not insert double quotes inside captions. Use simple quote (') if needed.\r\n"
           " - For non-western european languages, save the file with Unicode or UTF-8 encoding and ZIP compress "
           "it.\r\n"
           " - Put your name or alias below to display on the translations webpage.\r\n" +
           lastLines;
}

const QByteArray CompletionHeader = Header("complete a translation", "Your Name: \r\nLanguage: ");

// Every English row of the built-in table, numbered with three digits.
QByteArray NewLanguageFile()
{
    QByteArray file = Header("add a new language", "Your name: \r\nNew Language: \r\n\r\n\r\n");
    for (int n = 1; n <= AppState::LanguageStringCount; ++n)
        file += QStringLiteral("##%1, \"%2\"\r\n")
                    .arg(n, 3, 10, QLatin1Char('0'))
                    .arg(BuiltinStrings::Compiled().lookup(n).value_or(QString()))
                    .toUtf8();
    return file;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

// Shows where two byte strings part, so a failing comparison says what differs.
QByteArray FirstDifference(const QByteArray& got, const QByteArray& expected)
{
    qsizetype at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at])
        ++at;
    const qsizetype from = qMax<qsizetype>(0, at - 40);
    return "at byte " + QByteArray::number(at) + "\n  got:      " + got.mid(from, 100).toPercentEncoding(" ") +
           "\n  expected: " + expected.mid(from, 100).toPercentEncoding(" ");
}

#define COMPARE_BYTES(got, expected) QVERIFY2((got) == (expected), FirstDifference((got), (expected)).constData())

// Templates that differ from the compiled ones, so the test shows which rows are read.
BuiltinStrings TestTemplates()
{
    BuiltinStrings strings;
    strings.addRows(QStringLiteral("660\tT660 %VER and %VER, not %ver\n"
                                   "661\tT661\n662\tT662\n663\tT663\n664\tT664\n665\tT665\n666\tT666\n667\tT667\n"
                                   "668\tT668 \n669\tT669 \n"
                                   "670\tT670 %VER\n671\tT671\n672\tT672\n674\tT674\n675\tT675\n676\tT676\n"
                                   "677\tT677\n678\tT678\n679\tT679\n"));
    return strings;
}

} // namespace

class TranslationFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    AppState state;
    TranslationFileTimings saved;

    QString folder() const { return temp.path() + QLatin1Char('/'); }
    QStringList filesIn(const QString& path) const
    {
        return QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

    void selectLanguage(int k, const QString& key, const BuiltinStrings& strings)
    {
        state.LanguageIndex = static_cast<std::uint8_t>(k);
        state.Language = key;
        LoadLanguageStrings(state, strings);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(temp.isValid());
        saved = CurrentTranslationFileTimings();
        CurrentTranslationFileTimings().settleMs = 5;
        state = AppState();
        state.WorkFolder = folder();
        for (const QString& name : filesIn(folder()))
            QVERIFY(QFileInfo(folder() + name).isDir() ? QDir(folder() + name).removeRecursively()
                                                       : QFile::remove(folder() + name));
    }

    void cleanup() { CurrentTranslationFileTimings() = saved; }

    // The header names the language; each row the language lacks follows with its English
    // text, a complete language gives only an empty line.
    void completionFile_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("removed");
        QTest::addColumn<QByteArray>("entries");
        const auto row = [](int k, const char* key, const char* name, QList<int> removed, const QByteArray& entries) {
            QTest::newRow(key) << k << QString::fromLatin1(key) << QString::fromLatin1(name) << removed << entries;
        };
        row(0, "ENGLISH", "krvnm_104_english.txt", {}, "");
        row(2, "PORTUGUESE_BR", "krvnm_104_portuguese_br.txt", {}, "");
        row(8, "TCHINESE", "krvnm_104_tchinese.txt", {}, "");
        row(1, "SPANISH", "krvnm_104_spanish.txt", {1005, 1082},
            "1005, \"Exit\"\r\n1082, \"The selected folder does not contain korvane.exe.\n\nSelect the correct path or "
            "download Korvane now using the Check for Updates button.\"\r\n");
    }

    void completionFile()
    {
        QFETCH(int, k);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QList<int>, removed);
        QFETCH(QByteArray, entries);
        BuiltinStrings strings = BuiltinStrings::Compiled();
        for (int id : removed)
            strings.removeRow(id);
        selectLanguage(k, key, strings);
        WriteCompletionFile(state, strings);
        QCOMPARE(filesIn(folder()), QStringList{name});
        COMPARE_BYTES(ReadAll(folder() + name), CompletionHeader + key.toLatin1() + "\r\n\r\n" + entries);
    }

    // Entries come from the language string table, ids without leading zeros, texts
    // unchanged (quotes, bare line feeds, accented letters).
    void completionFileByteForByte()
    {
        BuiltinStrings strings = TestTemplates();
        for (int n = 1; n <= 88; ++n) {
            strings.setRow(n, QStringLiteral("English %1").arg(n));
            if (n != 1 && n != 7 && n != 82)
                strings.setRow(BuiltinStrings::RowId(10, n), QStringLiteral("Eesti %1").arg(n));
        }
        state.LanguageIndex = 10;
        state.Language = "ESTONIAN";
        state.LanguageStrings[1] = "Say \"hi\"";
        state.LanguageStrings[7] = "Café";
        state.LanguageStrings[82] = "one\n\ntwo";
        WriteCompletionFile(state, strings);
        // Elsewhere than on Windows the system encoding is UTF-8.
        COMPARE_BYTES(ReadAll(folder() + "krvnm_104_estonian.txt"),
                      QByteArray("T660 1.0.4 and 1.0.4, not %ver\r\n"
                                 "T661\r\nT662\r\nT663\r\nT664\r\nT665\r\n"
                                 "T666\r\nT667\r\nT668 \r\n"
                                 "T669 ESTONIAN\r\n"
                                 "\r\n"
                                 "10001, \"Say \"hi\"\"\r\n"
                                 "10007, \"Caf\xc3\xa9\"\r\n"
                                 "10082, \"one\n\ntwo\"\r\n"));
    }

    // The English rows of the built-in table, whatever the current language. The English
    // completion file has the same name: whichever is written last replaces the other,
    // shorter or longer.
    void newLanguageFile()
    {
        selectLanguage(1, "SPANISH", BuiltinStrings::Compiled());
        const QString path = folder() + "krvnm_104_english.txt";
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        COMPARE_BYTES(ReadAll(path), NewLanguageFile());
        selectLanguage(0, "ENGLISH", BuiltinStrings::Compiled());
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        COMPARE_BYTES(ReadAll(path), CompletionHeader + "ENGLISH\r\n\r\n");
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        COMPARE_BYTES(ReadAll(path), NewLanguageFile());
        QCOMPARE(filesIn(folder()), QStringList{"krvnm_104_english.txt"});
    }

    // A row that cannot be read costs its own line only.
    void missingRowsAreSkippedLineByLine()
    {
        BuiltinStrings strings = TestTemplates(); // no row 673
        strings.setRow(1, "&File");
        strings.setRow(88, "Last");
        WriteNewLanguageFile(state, strings);
        COMPARE_BYTES(
            ReadAll(folder() + "krvnm_104_english.txt"),
            QByteArray("T670 1.0.4\r\nT671\r\nT672\r\nT674\r\nT675\r\nT676\r\nT677\r\nT678\r\nT679\r\n\r\n\r\n"
                       "##001, \"&File\"\r\n"
                       "##088, \"Last\"\r\n"));
    }

    // The writers report nothing and throw nothing; the steps after a failure still run.
    void failingWritesReportNothing()
    {
        selectLanguage(1, "SPANISH", BuiltinStrings::Compiled());
        CurrentTranslationFileTimings().settleMs = 20;
        QTest::failOnWarning(QRegularExpression(".*"));
        bool eventHandled = false;

        state.WorkFolder = folder() + "missing/";
        QTimer::singleShot(0, [&] { eventHandled = true; });
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        QVERIFY2(eventHandled, "the wait after a failed write did not run");
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QVERIFY(!QFileInfo::exists(state.WorkFolder));

        // A folder in the file's place cannot be replaced.
        QVERIFY(QDir(folder()).mkdir("krvnm_104_english.txt"));
        state.WorkFolder = folder();
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QVERIFY(QFileInfo(folder() + "krvnm_104_english.txt").isDir());
    }

    // A language key from the settings must not lead the file out of the work folder,
    // and an unset work folder must not mean the current directory.
    void filesStayInTheWorkFolder()
    {
        QVERIFY(QDir(folder()).mkpath("work/krvnm_104_x"));
        state.WorkFolder = folder() + "work/";
        state.Language = "X/../../ESCAPE";
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        QCOMPARE(filesIn(folder()), QStringList{"work"});
        QCOMPARE(filesIn(folder() + "work"), QStringList{"krvnm_104_x"});

        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder() + "work"));
        state.WorkFolder.clear();
        state.Language = "SPANISH";
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QDir::setCurrent(current);
        QCOMPARE(filesIn(folder() + "work"), QStringList{"krvnm_104_x"});
    }
};

KRVNM_REGISTER_TEST(TranslationFilesTest)
#include "TranslationFilesTest.moc"
