#include "updates/IniReader.h"
#include "IniCorpus.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "updates/ReadIniValue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Our reader through ReadIniValue against the answers Windows gives (the Windows stage
// proves them); the corpus covers the reader's rules one by one.
class IniReaderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;

    static QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

private Q_SLOTS:
    void answersAsWindows_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");
        for (const inicorpus::Case& c : inicorpus::cases()) {
            const bool exists = c.bytes != inicorpus::Missing;
            QTest::newRow(c.name.c_str()) << QByteArray::fromStdString(exists ? c.bytes : std::string()) << exists
                                          << Q(c.section) << Q(c.key) << Q(c.defaultValue) << Q(c.expected);
        }
        // Windows reads past the end of the file here; we leave the half character out.
        QTest::newRow("UTF-16 odd length") << QByteArray("\xFF\xFE[\0K\0]\0\n\0v\0=\0\x31\0\xE9", 17) << true
                                           << QString("K") << QString("v") << QString("d") << QString("1");
    }

    void answersAsWindows()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, exists);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);
        const QString path = temp.filePath(QString::number(qHash(QByteArray(QTest::currentDataTag()))) + ".ini");
        if (exists)
            QVERIFY(writeFile(path, file));
        QCOMPARE(readIniValue(section, key, defaultValue, path), expected);
    }
};

KRVNM_REGISTER_TEST(IniReaderTest)
#include "IniReaderTest.moc"
