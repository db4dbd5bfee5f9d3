#include "updates/IniReader.h"
#include "IniCorpus.h"
#include "TestFiles.h"
#include "TestMain.h"
#include "updates/ReadIniValue.h"

#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(inicorpus::Case)

// ReadIniValue against the answers Windows gives (the Windows stage proves them), the reader's rules one by one.
class IniReaderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;

    static QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

private Q_SLOTS:
    void answersAsWindows_data()
    {
        QTest::addColumn<inicorpus::Case>("c");
        for (const inicorpus::Case& c : inicorpus::cases())
            QTest::newRow(c.name.c_str()) << c;
        // Windows reads past the end of the file here; we leave the half character out.
        QTest::newRow("UTF-16 odd length")
            << inicorpus::Case{"", std::string("\xFF\xFE[\0K\0]\0\n\0v\0=\0\x31\0\xE9", 17), u"K", u"v", u"d", u"1"};
    }

    void answersAsWindows()
    {
        QFETCH(inicorpus::Case, c);
        const QString path = temp.filePath(QString::number(qHash(QByteArray(QTest::currentDataTag()))) + ".ini");
        if (c.bytes != inicorpus::Missing)
            QVERIFY(writeFile(path, QByteArray::fromStdString(c.bytes)));
        QCOMPARE(readIniValue(Q(c.section), Q(c.key), Q(c.defaultValue), path), Q(c.expected));
    }
};

KRVNM_REGISTER_TEST(IniReaderTest)
#include "IniReaderTest.moc"
