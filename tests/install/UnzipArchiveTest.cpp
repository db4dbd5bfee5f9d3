#include "InstallTestSupport.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class UnzipArchiveTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    std::unique_ptr<Extraction> x;
    const QString zip = temp.filePath("build.zip");
    QString target;

    bool unzip() { return x->unzip(zip, target); }

    // Info-ZIP's zip, one run per file in the order given; "locked" files get the password.
    QString infoZip(const QStringList& names)
    {
        const QString source = temp.filePath("source");
        QString failure;
        for (const QString& name : names) {
            if (!writeFile(source + "/" + name, name.toUtf8().repeated(50)))
                return "cannot write " + name;
            const QStringList password = name.startsWith("locked") ? QStringList{"-P", "secret"} : QStringList();
            failure += runTool("zip", QStringList{"-q"} + password + QStringList{zip, name}, source);
        }
        return failure;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(temp.path()).removeRecursively() && QDir().mkpath(temp.path()));
        target = temp.filePath("game") + "/";
        x = std::make_unique<Extraction>();
    }

    // Long enough that the bar reaches its end before the last entry and events must flow.
    void reportsEachEntryInOrderWhileEventsFlow()
    {
        QCOMPARE(pythonZip(zip, "add('data/', mode=0o40755)\nadd('data/a.TXT', b'alpha' * 100)\n"
                                "add('readme.txt', b'stored', method=STORED)\n"
                                "for i in range(2000): add('f%04d.txt' % i, b'x' * (i % 700))"),
                 QString());
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(0);
        QVERIFY(unzip());
        QVERIFY2(ticks > 0, "the event loop ran while the archive was extracted");
        QStringList expected{"Installing new version...", "Extracting " + zip + "...", "Creating: Data/",
                             "Inflating: Data/a.txt", "Extracting: Readme.txt"};
        for (int i = 0; i < 2000; ++i)
            expected.append(QString("Inflating: F%1.txt").arg(i, 4, 10, QLatin1Char('0')));
        expected.append("Installed: 2002 Files (0 Replaced)");
        QCOMPARE(x->view.lines, expected);
        QCOMPARE(x->view.labels, QStringList{"Installing new version..."});
        QCOMPARE(x->view.bar.mid(0, 5), QStringList({"value 0", "max 100", "visible", "value 1", "value 2"}));
        QCOMPARE(x->view.bar.last(), "value 100");
        QCOMPARE(readFile(target + "data/a.TXT"), QByteArray("alpha").repeated(100));
    }

    void brokenArchiveFailsAndIsDeleted_data()
    {
        QTest::addColumn<QString>("damage"); // "flip aes": made by 7-Zip with AES-256, else by Python
        QTest::newRow("cut short") << "truncate";
        QTest::newRow("no entries") << "empty";
        QTest::newRow("data damaged in the middle of the entry") << "flip";
        // AES entries without a CRC are vouched for by their HMAC alone.
        QTest::newRow("AES-256 data damaged in the middle of the entry") << "flip aes";
    }

    void brokenArchiveFailsAndIsDeleted()
    {
        QFETCH(QString, damage);
        const QString source = temp.filePath("source");
        QByteArray big;
        for (int i = 0; i < 256 * 8192; ++i)
            big.append(char(i));
        QVERIFY(writeFile(source + "/data/big.bin", big));
        const QStringList sevenZip{"a", "-tzip", "-bd", "-mx0", "-psecret", "-mem=AES256", zip, "data"};
        const QString python =
            damage == "empty" ? "" : "zf.write(r'" + source + "/data/big.bin', 'data/big.bin', STORED)";
        QCOMPARE(damage.endsWith("aes") ? runTool("7z", sevenZip, source) : pythonZip(zip, python), QString());
        x->dialogs.inputs.enqueue(QString("secret")); // asked for by the AES archive only
        QByteArray bytes = readFile(zip);
        if (damage == "truncate")
            bytes.truncate(bytes.size() / 2);
        else if (damage.startsWith("flip"))
            bytes[bytes.indexOf("data/big.bin") + 1024 * 1024] ^= 0x55;
        QVERIFY(writeFile(zip, bytes));
        QVERIFY(writeFile(target + "data/big.bin", "the old file"));

        QVERIFY(!unzip());
        QVERIFY2(!QFileInfo::exists(zip), "a broken archive is deleted so it is downloaded again");
        QCOMPARE(readFile(target + "data/big.bin"), QByteArray("the old file"));
        QCOMPARE(snapshot(target).keys().filter(".part"), QStringList());
        QVERIFY2(x->view.lines.last().startsWith("Error: "), qPrintable(x->view.lines.last()));
        QCOMPARE(x->view.bar.last(), "value 100");
    }

    // Each archive holds a harmless entry first and then the row's entries; `landed` is
    // where the row's file must end up, empty when the archive must be refused whole.
    // Names in every encoding archives use come with the safe ones.
    void entryNames_data()
    {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("landed");
        const auto refused = [](const char* row, const QString& entries, const QString& shown) {
            QTest::newRow(row) << entries << shown << QString();
        };
        refused("parent further in", R"(add('a/../../evil.txt', b'evil'))", "a/../../evil.txt");
        refused("parent with backslash", R"(add('..\\evil.txt', b'evil'))", "..\\evil.txt");
        refused("absolute", R"(add(OUTSIDE + '/evil.txt', b'evil'))", "/evil.txt");
        refused("drive-relative", R"(add('c:evil.txt', b'evil'))", "c:evil.txt");
        refused("NUL with extension in a folder", R"(add('dir/nul.txt', b'evil'))", "dir/nul.txt");
        refused("COM1 with extension", R"(add('com1.log', b'evil'))", "com1.log");
        refused("LPT9", R"(add('LPT9', b'evil'))", "LPT9");
        refused("AUX with two extensions", R"(add('aux.tar.gz', b'evil'))", "aux.tar.gz");
        refused("trailing dot on a folder", R"(add('dir./evil.txt', b'evil'))", "dir./evil.txt");
        refused("trailing blank", R"(add('evil.txt ', b'evil'))", "evil.txt ");
        refused("alternate data stream", R"(add('evil.txt:hidden', b'evil'))", "evil.txt:hidden");
        refused("control character", R"(add('evil\x01.txt', b'evil'))", "evil?.txt");
        refused("symbolic link", "add('link', OUTSIDE.encode(), mode=0o120777)\nadd('link/evil.txt', b'evil')", "link");
        refused("device node", R"(add('evil', b'', mode=0o020644))", "evil");

        const auto safe = [](const char* row, const QString& entries, const QString& landed) {
            QTest::newRow(row) << entries << QString() << landed;
        };
        safe("dots inside a name", R"(add('a..b.txt', b'evil'))", "a..b.txt");
        safe("dot folders", R"(add('./a/./b.txt', b'evil'))", "a/b.txt");
        safe("backslash as separator", R"(add('a\\b.txt', b'evil'))", "a/b.txt");
        safe("device-like but not a device", R"(add('COM10.txt', b'evil'))", "COM10.txt");
        safe("hidden file", R"(add('.hidden', b'evil'))", ".hidden");
        safe("code page 437 name", R"(add(b'caf\x82.txt', b'evil'))", "café.txt");
        safe("UTF-8 name without the flag", R"(add(b'na\xc3\xafve.txt', b'evil'))", "naïve.txt");
        safe("UTF-8 name with the flag", R"(add(b'\xe6\x97\xa5\xe6\x9c\xac.txt', b'evil', utf8=True))", "日本.txt");
    }

    void entryNames()
    {
        QFETCH(QString, entries);
        QFETCH(QString, shown);
        QFETCH(QString, landed);
        const QString outside = temp.filePath("outside"); // the archive lies beside it
        target = outside + "/game/";
        QVERIFY(writeFile(outside + "/keep.txt", "keep"));
        QCOMPARE(pythonZip(zip, QString("OUTSIDE = r'%1'\nadd('first.txt', b'first')\n").arg(outside) + entries),
                 QString());
        const QMap<QString, QByteArray> before = snapshot(outside);

        QCOMPARE(unzip(), !landed.isEmpty());

        QMap<QString, QByteArray> after = snapshot(outside);
        if (landed.isEmpty()) {
            QVERIFY2(!QFileInfo::exists(zip), "a refused archive is deleted");
            const QStringList refusals = x->view.lines.filter(QRegularExpression("^Refused: "));
            QVERIFY2(refusals.size() == 1 && refusals.first().contains(shown, Qt::CaseInsensitive),
                     qPrintable(x->view.lines.join('\n')));
        } else {
            QCOMPARE(readFile(target + landed), QByteArray("evil"));
            QCOMPARE(readFile(target + "first.txt"), QByteArray("first"));
            after.removeIf([](auto item) { return item.key().startsWith("game/"); });
        }
        QCOMPARE(after, before);
    }

    void passwords_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<bool>("extracted");
        QTest::addColumn<bool>("skipped");
        QTest::newRow("right") << std::optional<QString>("secret") << true << false;
        QTest::newRow("wrong") << std::optional<QString>("not-the-secret") << false << false;
        QTest::newRow("empty") << std::optional<QString>("") << false << true;
        QTest::newRow("cancelled") << std::optional<QString>() << false << true;
    }

    void passwords()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(bool, extracted);
        QFETCH(bool, skipped);
        QCOMPARE(infoZip({"plain.txt", "locked.txt"}), QString());
        QVERIFY(writeFile(target + "locked.txt", "old"));
        x->dialogs.inputs.enqueue(answer);

        QCOMPARE(unzip(), extracted);
        QCOMPARE(x->dialogs.inputPrompts, QStringList{"Please Enter The Password."});
        QCOMPARE(x->dialogs.inputTitles, QStringList{"Korvane Manager"});
        QCOMPARE(readFile(target + "locked.txt"),
                 extracted ? QByteArray("locked.txt").repeated(50) : QByteArray("old"));
        QCOMPARE(QFileInfo::exists(zip), extracted);
        if (answer && !answer->isEmpty())
            QVERIFY2(!(x->view.lines + x->view.labels).join('\n').contains(*answer, Qt::CaseInsensitive),
                     "the password never shows");

        // The skip flag holds for the rest of the run: the next archive asks nothing.
        QVERIFY(QFile::remove(zip) || !QFileInfo::exists(zip));
        QCOMPARE(infoZip({"locked.txt"}), QString());
        x->dialogs.inputs.enqueue(QString("secret"));
        QCOMPARE(unzip(), !skipped);
        QCOMPARE(x->dialogs.inputPrompts.size(), skipped ? 1 : 2);
    }

    void stopWhileAQuestionWaitsAsksNothing()
    {
        QCOMPARE(infoZip({"a.txt", "locked.txt", "c.txt"}), QString());
        x->view.onLine = [this](const QString& line) {
            if (line.endsWith("Locked.txt"))
                x->extractor.requestStop();
        };
        QVERIFY(!unzip());
        QCOMPARE(x->dialogs.inputPrompts, QStringList());
        QCOMPARE(snapshot(target), (QMap<QString, QByteArray>{}));
        QVERIFY2(QFileInfo::exists(zip), "a stopped run leaves a good archive in place");
    }

    // What the window does on Yes to the close question: nothing after the entry in hand
    // is started, nothing is being written once the call returns, and the target folder
    // is as it was.
    void stopAndWaitEndsAfterTheEntryInHand()
    {
        QCOMPARE(pythonZip(zip, "for i in range(400): add('f%03d.bin' % i, bytes([i % 256]) * 300000)"), QString());
        QMap<QString, QByteArray> atStop;
        x->view.onLine = [&](const QString& line) {
            if (line == "Inflating: F001.bin") {
                x->extractor.stopAndWait();
                atStop = snapshot(target);
            }
        };
        QVERIFY(!unzip());
        QCOMPARE(atStop, (QMap<QString, QByteArray>{}));
        QCOMPARE(snapshot(target), (QMap<QString, QByteArray>{}));
        QVERIFY2(x->view.lines.filter("Inflating: ").size() < 400, "the run ended early");
        QVERIFY(QFileInfo::exists(zip));
    }
};

KRVNM_REGISTER_TEST(UnzipArchiveTest)
#include "UnzipArchiveTest.moc"
