#include "PeCorpus.h"
#include "TestMain.h"
#include "detect/ByteSource.h"
#include "detect/FileVersionText.h"

#include <QTemporaryDir>
#include <QTest>

using pefixture::Bytes;

namespace {

QString readVersion(const Bytes& bytes)
{
    MemoryByteSource source(bytes.data(), bytes.size());
    return QString::fromStdU16String(fileVersionTextOf(source));
}

// Counts what is read, so a test can tell the reader never reads the whole file.
class CountingSource : public ByteSource
{
public:
    explicit CountingSource(ByteSource& inner) : inner(inner) {}
    std::uint64_t size() const override { return inner.size(); }
    bool read(std::uint64_t offset, void* out, std::size_t count) override
    {
        bytesRead += count;
        return inner.read(offset, out, count);
    }

    ByteSource& inner;
    std::uint64_t bytesRead = 0;
};

} // namespace

Q_DECLARE_METATYPE(pecorpus::Case)

class PeReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The answers the Windows stage checks against the system's own reader.
    void readsWhatTheSystemReads_data()
    {
        QTest::addColumn<pecorpus::Case>("c");
        for (const pecorpus::Case& c : pecorpus::cases(true))
            QTest::newRow(c.name.c_str()) << c;
    }

    void readsWhatTheSystemReads()
    {
        QFETCH(pecorpus::Case, c);
        QCOMPARE(readVersion(c.bytes), QString::fromStdU16String(c.expected));
    }

    void filesThatCannotBeReadGiveEmptyText()
    {
        QTemporaryDir temp;
        for (const QString& path : {temp.filePath("none.exe"), temp.path()})
            QCOMPARE(QString::fromStdU16String(getFileVersionText(path.toStdU16String())), QString());
    }

    // Cut anywhere before the end of the version data, the file gives nothing; cut after it, the version is read.
    void truncatedFiles()
    {
        for (bool pe32Plus : {false, true}) {
            const pefixture::PeFile file = pecorpus::pe(pe32Plus, pefixture::standardVersion(u"1.4.0"));
            const Bytes versionData = pefixture::buildVersionInfo(pefixture::standardVersion(u"1.4.0"));
            const std::size_t needed = file.offsets.versionData + versionData.size();
            for (std::size_t length = 0; length <= file.bytes.size(); ++length) {
                const Bytes cut(file.bytes.begin(), file.bytes.begin() + static_cast<std::ptrdiff_t>(length));
                const QString got = readVersion(cut);
                QVERIFY2(got == (length < needed ? QString() : "1.4.0"),
                         qPrintable(QStringLiteral("cut at %1 (PE32+ %2): \"%3\"").arg(length).arg(pe32Plus).arg(got)));
            }
        }
    }

    // A FileVersion text without its NUL ends with its own block, not in the next one.
    void textWithoutNulStopsAtItsBlock()
    {
        pefixture::PeFile file = pecorpus::pe(
            false, {{0x040904B0}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}, {u"ProductName", u"Korvane"}}}}});
        pefixture::put16(file.bytes, pecorpus::find(file.bytes, u"1.4.0") + 10, u'7'); // over the text's NUL
        QCOMPARE(readVersion(file.bytes), "1.4.07");
    }

    // Only the headers, three directories and the resource are read, however large the file.
    void readsOnlyWhatItNeeds()
    {
        pefixture::PeFile file = pecorpus::pe(false, pefixture::standardVersion(u"1.4.0"));
        file.bytes.resize(file.bytes.size() + 8 * 1024 * 1024); // data after the image, as installers append
        MemoryByteSource memory(file.bytes.data(), file.bytes.size());
        CountingSource counting(memory);
        QCOMPARE(QString::fromStdU16String(fileVersionTextOf(counting)), "1.4.0");
        QVERIFY2(counting.bytesRead < 2048,
                 qPrintable(QStringLiteral("read %1 bytes of %2").arg(counting.bytesRead).arg(file.bytes.size())));
    }
};

KRVNM_REGISTER_TEST(PeReaderTest)

#include "PeReaderTest.moc"
