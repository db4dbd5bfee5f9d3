#include "lang/TranslationFiles.h"
#include "TestMain.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray CompletionHeader =
    "Korvane Manager 1.0.4 translation file\r\n"
    "--------------------------------------\r\n"
    "This file has the required lines to complete a translation.\r\n"
    "Please translate and send the file to translations@quillonworks.example.\r\n"
    "Notice:\r\n"
    " - Do not insert double quotes inside captions. Use simple quote (') if needed.\r\n"
    " - For non-western european languages, save the file with Unicode or UTF-8 "
    "encoding and ZIP compress it.\r\n"
    " - Put your name or alias below to display on the translations webpage.\r\n"
    "Your Name: \r\n"
    "Language: ";

const QByteArray NewLanguageFile =
    "Korvane Manager 1.0.4 translation file\r\n"
    "--------------------------------------\r\n"
    "This file has the required lines to add a new language.\r\n"
    "Please translate and send the file to translations@quillonworks.example.\r\n"
    "Notice:\r\n"
    " - Do not insert double quotes inside captions. Use simple quote (') if needed.\r\n"
    " - For non-western european languages, save the file with Unicode or UTF-8 encoding and ZIP compress it.\r\n"
    " - Put your name or alias below to display on the translations webpage.\r\n"
    "Your name: \r\n"
    "New Language: \r\n"
    "\r\n"
    "\r\n"
    "##001, \"&File\"\r\n"
    "##002, \"&Options\"\r\n"
    "##003, \"&Help\"\r\n"
    "##004, \"Select KRVN path\"\r\n"
    "##005, \"Exit\"\r\n"
    "##006, \"Settings\"\r\n"
    "##007, \"Redetect KRVN version\"\r\n"
    "##008, \"Platform selection\"\r\n"
    "##009, \"Korvane Manager website\"\r\n"
    "##010, \"About Korvane Manager\"\r\n"
    "##011, \"Yes\"\r\n"
    "##012, \"No\"\r\n"
    "##013, \"OK\"\r\n"
    "##014, \"Cancel\"\r\n"
    "##015, \"Ignore\"\r\n"
    "##016, \"Skip\"\r\n"
    "##017, \"Close\"\r\n"
    "##018, \"Back\"\r\n"
    "##019, \"Next\"\r\n"
    "##020, \"Version\"\r\n"
    "##021, \"This program is Freeware.\"\r\n"
    "##022, \"Physical memory available to Windows: \"\r\n"
    "##023, \"KRVN Manager has encountered an internal error.\"\r\n"
    "##024, \"If this problem persists, run the Korvane Manager setup program again.\"\r\n"
    "##025, \"An error report has been generated to help us fix this problem. Click the Send Report button to send it "
    "via Email now.\"\r\n"
    "##026, \"Send Report\"\r\n"
    "##027, \"Restart Program\"\r\n"
    "##028, \"Language\"\r\n"
    "##029, \"Translated by: Program author\"\r\n"
    "##030, \"Complete this translation...\"\r\n"
    "##031, \"Connection\"\r\n"
    "##032, \"Auto detect settings\"\r\n"
    "##033, \"Direct connection to Internet\"\r\n"
    "##034, \"Use proxy server:\"\r\n"
    "##035, \"Address:\"\r\n"
    "##036, \"Port:\"\r\n"
    "##037, \"Requires authentication\"\r\n"
    "##038, \"Username:\"\r\n"
    "##039, \"Password:\"\r\n"
    "##040, \"Date:\"\r\n"
    "##041, \"Version information\"\r\n"
    "##042, \"Previous Korvane version\"\r\n"
    "##043, \"Run KRVN\"\r\n"
    "##044, \"Check for Updates\"\r\n"
    "##045, \"Install Now\"\r\n"
    "##046, \"Korvane path not specified.\"\r\n"
    "##047, \"Korvane #1# detected.\"\r\n"
    "##048, \"Korvane version #1# detected at #2#\"\r\n"
    "##049, \"Please wait...\"\r\n"
    "##050, \"Done.\"\r\n"
    "##051, \"KRVNM is currently downloading information from the Internet. Are you sure you want to exit?\"\r\n"
    "##052, \"This action is currently blocked because KRVNM is downloading information from Internet. Please wait for "
    "the running task to end and retry.\"\r\n"
    "##053, \"Looking up the server IP address...\"\r\n"
    "##054, \"Found the IP address for the remote server.\"\r\n"
    "##055, \"Connecting to server...\"\r\n"
    "##056, \"Connected to the remote server.\"\r\n"
    "##057, \"Sending request...\"\r\n"
    "##058, \"Request sent.\"\r\n"
    "##059, \"Downloading data...\"\r\n"
    "##060, \"Disconnecting from server...\"\r\n"
    "##061, \"Connection closed.\"\r\n"
    "##062, \"Error connecting to server.\"\r\n"
    "##063, \"KB downloaded,\"\r\n"
    "##064, \"KB total\"\r\n"
    "##065, \"New version installed successfully.\"\r\n"
    "##066, \"Failed to install new product version.\"\r\n"
    "##067, \"Downloading updates list...\"\r\n"
    "##068, \"Updates list downloaded successfully.\"\r\n"
    "##069, \"Failed to download updates list.\"\r\n"
    "##070, \"Failed to connect to server.\"\r\n"
    "##071, \"Installing new version...\"\r\n"
    "##072, \"Extracting #FN#...\"\r\n"
    "##073, \"Files extracted OK.\"\r\n"
    "##074, \"The requested Korvane version has been installed at:\"\r\n"
    "##075, \"Failed to unzip file, please try again.\"\r\n"
    "##076, \"The required file unzip32.dll was not found. Please reinstall Korvane Manager and retry.\"\r\n"
    "##077, \"You are using the latest Korvane Manager version.\"\r\n"
    "##078, \"Korvane Manager version #1# is now available! Do you want to update now?\"\r\n"
    "##079, \"Applying program update\"\r\n"
    "##080, \"Warning: Nightly versions may be unstable or cause problems. Do you want to proceed anyway?\"\r\n"
    "##081, \"Error 404 downloading file.\"\r\n"
    "##082, \"The selected folder does not contain korvane.exe.\n\nSelect the correct path or download Korvane now "
    "using the Check for Updates button.\"\r\n"
    "##083, \"New version!\"\r\n"
    "##084, \"Downloading...\"\r\n"
    "##085, \"Now Installed\"\r\n"
    "##086, \"Installation failed\"\r\n"
    "##087, \"Select the folder where Korvane will be installed.\"\r\n"
    "##088, \"Original graphics and music resources not found, download now? (recommended)\"\r\n";

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

    void fileNames_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("SPANISH") << "SPANISH"
                                 << "krvnm_104_spanish.txt";
        QTest::newRow("PORTUGUESE_BR") << "PORTUGUESE_BR"
                                       << "krvnm_104_portuguese_br.txt";
        QTest::newRow("ENGLISH") << "ENGLISH"
                                 << "krvnm_104_english.txt";
    }

    void fileNames()
    {
        QFETCH(QString, language);
        QFETCH(QString, name);
        QCOMPARE(CompletionFileName(language), name);
        QCOMPARE(NewLanguageFileName(), QStringLiteral("krvnm_104_english.txt"));
    }

    // Every built-in language is complete: the file is its header and one empty line.
    void completionFileOfEveryLanguage_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("ENGLISH") << 0 << "ENGLISH"
                                 << "krvnm_104_english.txt";
        QTest::newRow("SPANISH") << 1 << "SPANISH"
                                 << "krvnm_104_spanish.txt";
        QTest::newRow("PORTUGUESE_BR") << 2 << "PORTUGUESE_BR"
                                       << "krvnm_104_portuguese_br.txt";
        QTest::newRow("FRENCH") << 3 << "FRENCH"
                                << "krvnm_104_french.txt";
        QTest::newRow("POLISH") << 4 << "POLISH"
                                << "krvnm_104_polish.txt";
        QTest::newRow("SLOVAK") << 5 << "SLOVAK"
                                << "krvnm_104_slovak.txt";
        QTest::newRow("KOREAN") << 6 << "KOREAN"
                                << "krvnm_104_korean.txt";
        QTest::newRow("SCHINESE") << 7 << "SCHINESE"
                                  << "krvnm_104_schinese.txt";
        QTest::newRow("TCHINESE") << 8 << "TCHINESE"
                                  << "krvnm_104_tchinese.txt";
        QTest::newRow("DUTCH") << 9 << "DUTCH"
                               << "krvnm_104_dutch.txt";
        QTest::newRow("ESTONIAN") << 10 << "ESTONIAN"
                                  << "krvnm_104_estonian.txt";
    }

    void completionFileOfEveryLanguage()
    {
        QFETCH(int, k);
        QFETCH(QString, key);
        QFETCH(QString, name);
        selectLanguage(k, key, BuiltinStrings::Compiled());
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        QCOMPARE(filesIn(folder()), QStringList{name});
        COMPARE_BYTES(ReadAll(folder() + name), CompletionHeader + key.toLatin1() + "\r\n\r\n");
    }

    // Spanish without two rows: the file lists exactly those, with the English texts.
    void completionFileListsMissingRows()
    {
        BuiltinStrings strings = BuiltinStrings::Compiled();
        strings.removeRow(1005);
        strings.removeRow(1082);
        selectLanguage(1, QStringLiteral("SPANISH"), strings);
        WriteCompletionFile(state, strings);
        COMPARE_BYTES(ReadAll(folder() + "krvnm_104_spanish.txt"),
                      CompletionHeader +
                          "SPANISH\r\n\r\n"
                          "1005, \"Exit\"\r\n"
                          "1082, \"The selected folder does not contain korvane.exe.\n\nSelect the "
                          "correct path or download Korvane now using the Check for Updates button.\"\r\n");
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
        state.Language = QStringLiteral("ESTONIAN");
        state.LanguageStrings[1] = QStringLiteral("Say \"hi\"");
        state.LanguageStrings[7] = QStringLiteral("Café");
        state.LanguageStrings[82] = QStringLiteral("one\n\ntwo");
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

    // The English rows of the built-in table, whatever the current language.
    void newLanguageFileByteForByte()
    {
        selectLanguage(1, QStringLiteral("SPANISH"), BuiltinStrings::Compiled());
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QCOMPARE(filesIn(folder()), QStringList{QStringLiteral("krvnm_104_english.txt")});
        COMPARE_BYTES(ReadAll(folder() + "krvnm_104_english.txt"), NewLanguageFile);
    }

    // A row that cannot be read costs its own line only.
    void missingRowsAreSkippedLineByLine()
    {
        BuiltinStrings strings = TestTemplates(); // no row 673
        strings.setRow(1, QStringLiteral("&File"));
        strings.setRow(88, QStringLiteral("Last"));
        WriteNewLanguageFile(state, strings);
        COMPARE_BYTES(
            ReadAll(folder() + "krvnm_104_english.txt"),
            QByteArray("T670 1.0.4\r\nT671\r\nT672\r\nT674\r\nT675\r\nT676\r\nT677\r\nT678\r\nT679\r\n\r\n\r\n"
                       "##001, \"&File\"\r\n"
                       "##088, \"Last\"\r\n"));
    }

    // Whichever English file is written last replaces the other, shorter or longer.
    void englishFilesShareOneName()
    {
        selectLanguage(0, QStringLiteral("ENGLISH"), BuiltinStrings::Compiled());
        const QString path = folder() + NewLanguageFileName();
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        COMPARE_BYTES(ReadAll(path), CompletionHeader + "ENGLISH\r\n\r\n");
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        COMPARE_BYTES(ReadAll(path), NewLanguageFile);
        QCOMPARE(filesIn(folder()), QStringList{NewLanguageFileName()});
    }

    // The writers report nothing and throw nothing; the steps after a failure still run.
    void failingWritesReportNothing()
    {
        selectLanguage(1, QStringLiteral("SPANISH"), BuiltinStrings::Compiled());
        CurrentTranslationFileTimings().settleMs = 20;
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        bool eventHandled = false;

        state.WorkFolder = folder() + "missing/";
        QTimer::singleShot(0, [&] { eventHandled = true; });
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        QVERIFY2(eventHandled, "the wait after a failed write did not run");
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QVERIFY(!QFileInfo::exists(state.WorkFolder));

        // A folder in the file's place cannot be replaced.
        QVERIFY(QDir(folder()).mkdir(QStringLiteral("krvnm_104_english.txt")));
        state.WorkFolder = folder();
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QVERIFY(QFileInfo(folder() + "krvnm_104_english.txt").isDir());
    }

    // A language key from the settings must not lead the file out of the work folder,
    // and an unset work folder must not mean the current directory.
    void filesStayInTheWorkFolder()
    {
        QVERIFY(QDir(folder()).mkpath(QStringLiteral("work/krvnm_104_x")));
        state.WorkFolder = folder() + "work/";
        state.Language = QStringLiteral("X/../../ESCAPE");
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        QCOMPARE(filesIn(folder()), QStringList{QStringLiteral("work")});
        QCOMPARE(filesIn(folder() + "work"), QStringList{QStringLiteral("krvnm_104_x")});

        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder() + "work"));
        state.WorkFolder.clear();
        state.Language = QStringLiteral("SPANISH");
        WriteCompletionFile(state, BuiltinStrings::Compiled());
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QDir::setCurrent(current);
        QCOMPARE(filesIn(folder() + "work"), QStringList{QStringLiteral("krvnm_104_x")});
    }

    // The window keeps handling events for the whole wait after writing.
    void waitsAfterWriting()
    {
        QCOMPARE(TranslationFileTimings().settleMs, 500);
        CurrentTranslationFileTimings().settleMs = 60;
        selectLanguage(0, QStringLiteral("ENGLISH"), BuiltinStrings::Compiled());
        bool eventHandled = false;
        QTimer::singleShot(0, [&] { eventHandled = true; });
        QElapsedTimer clock;
        clock.start();
        WriteNewLanguageFile(state, BuiltinStrings::Compiled());
        QVERIFY2(eventHandled, "no event was handled while waiting");
        QVERIFY2(clock.elapsed() >= 60, qPrintable(QStringLiteral("returned after %1 ms").arg(clock.elapsed())));
    }
};

KRVNM_REGISTER_TEST(TranslationFilesTest)
#include "TranslationFilesTest.moc"
