#include "InstallTestSupport.h"
#include "TestMain.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class HostileArchiveTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QTemporaryDir temp, archive; // the archive itself stays out of the snapshots
        const QString outside = temp.filePath("outside"), zip = archive.filePath("build.zip");
        QVERIFY(writeFile(outside + "/keep.txt", "keep"));
        QCOMPARE(pythonZip(zip, QString("OUTSIDE = r'%1'\nadd('first.txt', b'first')\n").arg(outside) + entries),
                 QString());
        const QString target = outside + "/game/";
        const QMap<QString, QByteArray> before = snapshot(temp.path());

        Extraction x;
        QCOMPARE(x.unzip(zip, target), !landed.isEmpty());

        QMap<QString, QByteArray> after = snapshot(temp.path());
        if (landed.isEmpty()) {
            QVERIFY2(!QFileInfo::exists(zip), "a refused archive is deleted");
            const QStringList refusals = x.view.lines.filter(QRegularExpression("^Refused: "));
            QVERIFY2(refusals.size() == 1 && refusals.first().contains(shown, Qt::CaseInsensitive),
                     qPrintable(x.view.lines.join('\n')));
        } else {
            QCOMPARE(readFile(target + landed), QByteArray("evil"));
            QCOMPARE(readFile(target + "first.txt"), QByteArray("first"));
            after.removeIf([](auto item) { return item.key().startsWith("outside/game/"); });
        }
        QCOMPARE(after, before);
    }
};

KRVNM_REGISTER_TEST(HostileArchiveTest)
#include "HostileArchiveTest.moc"
