#include "InstallTestSupport.h"
#include "TestMain.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList TopLevel = {"Grüße", "bin", "data", "readme.txt"};

QByteArray mixed(int size, quint32 seed)
{
    // Runs of repeated bytes between noise: some of it compresses, some does not.
    QByteArray bytes(size, '\0');
    quint32 x = seed;
    for (int i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = (i / 4096) % 2 ? char(x >> 24) : char('a' + (i / 512) % 26);
    }
    return bytes;
}

} // namespace

class ZipInteropTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString source;

private Q_SLOTS:
    void initTestCase()
    {
        source = temp.filePath("source");
        const QMap<QString, QByteArray> files = {
            {"readme.txt", QByteArray("Korvane build notes, repeated until they compress well.\n").repeated(400)},
            {"bin/game.dat", mixed(700 * 1024, 7)},
            {"bin/empty.dat", {}},
            {"data/levels/level1.map", mixed(3 * 1024 * 1024, 11)},
            {"Grüße/日本語.txt", "names in UTF-8"}};
        int minute = 0;
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QVERIFY(writeFile(source + "/" + it.key(), it.value()));
            QFile file(source + "/" + it.key());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime(QDate(2011, 6, 15), QTime(12, 34 + minute++, 56)),
                                     QFileDevice::FileModificationTime));
        }
        QVERIFY(QDir().mkpath(source + "/data/empty folder"));
    }

    // One archive per way its times are kept (Info-ZIP's Unix field, 7-Zip's NTFS field,
    // Python's DOS time) and per encryption 7-Zip offers beyond Info-ZIP's. Other
    // compression methods are libzip's alone: our reading loop is the same for all.
    void toolArchives_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments"); // before the archive and the files
        QTest::newRow("Info-ZIP zip") << "zip" << QStringList{"-q", "-r"};
        QTest::newRow("7-Zip") << "7z" << QStringList{"a", "-tzip", "-bd", "-y"};
        QTest::newRow("7-Zip, AES-256") << "7z" << QStringList{"a", "-tzip", "-bd", "-y", "-psecret", "-mem=AES256"};
        QTest::newRow("Python zipfile") << "python" << QStringList{};
    }

    void toolArchives()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QTemporaryDir work;
        const QString zip = work.filePath("build.zip");
        QCOMPARE(tool == "python" ? pythonZip(zip, QString("add_tree(r'%1')").arg(source))
                                  : runTool(tool, arguments + QStringList{zip} + TopLevel, source),
                 QString());
        const QString target = work.filePath("game") + "/";

        Extraction x;
        x.dialogs.inputs.enqueue(QString("secret"));
        QVERIFY2(x.unzip(zip, target), qPrintable(x.view.lines.join('\n')));
        QCOMPARE(x.dialogs.inputPrompts.size(), arguments.contains("-psecret") ? 1 : 0);
        QCOMPARE(snapshot(target), snapshot(source));
        QDirIterator files(source, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo original(files.next());
            const QFileInfo copy(target + QDir(source).relativeFilePath(original.filePath()));
            // DOS times have two-second steps.
            QVERIFY2(qAbs(copy.lastModified().secsTo(original.lastModified())) <= 2,
                     qPrintable(copy.filePath() + ": " + copy.lastModified().toString(Qt::ISODate)));
        }
    }

    void zip64_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("last");
        QTest::addColumn<qint64>("lastSize");
        QTest::addColumn<int>("files");
        const qint64 huge = (qint64(4) << 30) + (qint64(4) << 20);
        QTest::newRow("more than 65535 entries")
            << "for i in range(65537): add('d%02d/f%05d' % (i // 1000, i), method=STORED)"
            << "d65/f65536" << qint64(0) << 65537;
        QTest::newRow("an entry over 4 GiB")
            << QString("add_zeros('huge.bin', %1)").arg(huge) << "huge.bin" << huge << 1;
    }

    void zip64()
    {
        QFETCH(QString, script);
        QFETCH(QString, last);
        QFETCH(qint64, lastSize);
        QFETCH(int, files);
        QTemporaryDir work(scratchParent(lastSize + (qint64(64) << 20)) + "/krvnm-test-XXXXXX");
        const QString zip = work.filePath("build.zip"), target = work.filePath("game");
        QCOMPARE(pythonZip(zip, script), QString());
        QVERIFY(Extraction().unzip(zip, target));
        int count = 0;
        for (QDirIterator it(target, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
            ++count;
        QCOMPARE(count, files);
        QVERIFY(QFileInfo::exists(target + "/" + last));
        QCOMPARE(QFileInfo(target + "/" + last).size(), lastSize);
    }
};

KRVNM_REGISTER_TEST(ZipInteropTest)
#include "ZipInteropTest.moc"
