#include "PeFixtureWriter.h"
#include "TestMain.h"
#include "detect/ByteSource.h"
#include "detect/FileVersionText.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using pefixture::Bytes;
using pefixture::Put16;
using pefixture::Put32;

namespace {

QString ReadVersion(const Bytes& bytes)
{
    MemoryByteSource source(bytes.data(), bytes.size());
    return QString::fromStdU16String(FileVersionTextOf(source));
}

pefixture::PeFile PeWith(const pefixture::VersionLayout& version, bool pe32Plus = false)
{
    pefixture::PeLayout wanted;
    wanted.pe32Plus = pe32Plus;
    wanted.versionResource = pefixture::BuildVersionInfo(version);
    return pefixture::BuildPe(wanted);
}

pefixture::PeFile StandardPe(bool pe32Plus = false)
{
    return PeWith(pefixture::StandardVersion(u"1.4.0"), pe32Plus);
}

// Where a UTF-16 text first occurs in the file.
std::size_t Find(const Bytes& bytes, const std::u16string& text)
{
    Bytes pattern;
    for (char16_t c : text) {
        pattern.push_back(static_cast<std::uint8_t>(c & 0xFF));
        pattern.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return static_cast<std::size_t>(std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end()) -
                                    bytes.begin());
}

// The header of the block whose key is text.
std::size_t BlockOf(const Bytes& bytes, const std::u16string& key)
{
    return Find(bytes, key) - 6;
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

using Damage = std::function<void(Bytes&, const pefixture::PeOffsets&)>;

} // namespace

Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(pefixture::VersionLayout)

class PeReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFileVersionOfEachLanguage_data()
    {
        QTest::addColumn<bool>("pe32Plus");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("version");
        QTest::newRow("PE32 US English Unicode") << false << 0x0409 << 1200 << "1.4.0";
        QTest::newRow("PE32+ German Western") << true << 0x0407 << 1252 << "1.4.0-beta5";
        QTest::newRow("PE32 Japanese Shift-JIS") << false << 0x0411 << 932 << "0.7.5";
        QTest::newRow("PE32+ neutral") << true << 0x0000 << 0x04B0 << "r26400";
        QTest::newRow("PE32 Chinese, non-ASCII text") << false << 0x0804 << 936 << QString::fromUtf8("1.4.0 \u7248");
        QTest::newRow("PE32 highest codes") << false << 0xFFFF << 0xFFFF << "9";
    }

    void readsFileVersionOfEachLanguage()
    {
        QFETCH(bool, pe32Plus);
        QFETCH(int, language);
        QFETCH(int, codePage);
        QFETCH(QString, version);
        pefixture::PeLayout wanted;
        wanted.pe32Plus = pe32Plus;
        wanted.resourceLanguage = static_cast<std::uint16_t>(language);
        wanted.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(
            version.toStdU16String(), static_cast<std::uint16_t>(language), static_cast<std::uint16_t>(codePage)));
        const pefixture::PeFile file = pefixture::BuildPe(wanted);

        QCOMPARE(ReadVersion(file.bytes), version);

        QTemporaryDir temp;
        const QString path = temp.filePath("korvane.exe");
        QVERIFY(pefixture::WriteFile(path.toStdU16String(), file.bytes));
        QCOMPARE(QString::fromStdU16String(GetFileVersionText(path.toStdU16String())), version);
    }

    // The first translation chooses the table, wherever that table stands and whatever
    // else the resource holds.
    void tableOfFirstTranslationIsRead_data()
    {
        QTest::addColumn<pefixture::VersionLayout>("wanted");
        QTest::addColumn<QString>("expected");
        using V = pefixture::VersionLayout;
        QTest::newRow("German first, its table second")
            << V{{0x040704E4, 0x040904B0},
                 {{u"040904B0", {{u"FileVersion", u"english"}}}, {u"040704E4", {{u"FileVersion", u"german"}}}}}
            << "german";
        QTest::newRow("keys compared without case")
            << V{{0x040704E4}, {{u"040704e4", {{u"fileversion", u"1.3.0"}}}}} << "1.3.0";
        QTest::newRow("no table for the translation")
            << V{{0x040704E4}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}}} << "";
        QTest::newRow("no VarFileInfo") << V{{}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}}} << "";
        QTest::newRow("table without FileVersion")
            << V{{0x040904B0}, {{u"040904B0", {{u"ProductVersion", u"1.4.0"}}}}} << "";
        QTest::newRow("only the exact key")
            << V{{0x040904B0},
                 {{u"040904B0", {{u"FileVersionX", u"no"}, {u"FileVersio", u"no"}, {u"FileVersion", u"yes"}}}}}
            << "yes";
        QTest::newRow("empty FileVersion") << V{{0x040904B0}, {{u"040904B0", {{u"FileVersion", u""}}}}} << "";
        QTest::newRow("cut at the first NUL")
            << V{{0x040904B0}, {{u"040904B0", {{u"FileVersion", std::u16string(u"1.4.0\0junk", 10)}}}}} << "1.4.0";
    }

    void tableOfFirstTranslationIsRead()
    {
        QFETCH(pefixture::VersionLayout, wanted);
        QFETCH(QString, expected);
        QCOMPARE(ReadVersion(PeWith(wanted).bytes), expected);
    }

    void filesWithoutVersionResourceGiveEmptyText()
    {
        pefixture::PeLayout noResources;
        noResources.withResources = false;
        QCOMPARE(ReadVersion(pefixture::BuildPe(noResources).bytes), QString());
        pefixture::PeLayout iconOnly; // a resource tree without a version entry
        QCOMPARE(ReadVersion(pefixture::BuildPe(iconOnly).bytes), QString());
        pefixture::PeLayout otherName;
        otherName.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(u"1.4.0"));
        otherName.versionNameId = 2;
        QCOMPARE(ReadVersion(pefixture::BuildPe(otherName).bytes), QString());
        QCOMPARE(ReadVersion({}), QString());
        QCOMPARE(ReadVersion({'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'}), QString());

        QTemporaryDir temp;
        for (const QString& path : {temp.filePath("none.exe"), temp.path()})
            QCOMPARE(QString::fromStdU16String(GetFileVersionText(path.toStdU16String())), QString());
    }

    // Cut anywhere before the end of the version data, the file gives nothing; cut after
    // it, the version is still read.
    void truncatedFiles()
    {
        for (bool pe32Plus : {false, true}) {
            const pefixture::PeFile file = StandardPe(pe32Plus);
            const Bytes versionData = pefixture::BuildVersionInfo(pefixture::StandardVersion(u"1.4.0"));
            const std::size_t needed = file.offsets.versionData + versionData.size();
            for (std::size_t length = 0; length <= file.bytes.size(); ++length) {
                const Bytes cut(file.bytes.begin(), file.bytes.begin() + static_cast<std::ptrdiff_t>(length));
                const QString expected = length < needed ? QString() : "1.4.0";
                const QString got = ReadVersion(cut);
                if (got != expected)
                    QFAIL(qPrintable(QStringLiteral("cut at %1 of %2 bytes (PE32+ %3): expected \"%4\", got \"%5\"")
                                         .arg(length)
                                         .arg(file.bytes.size())
                                         .arg(pe32Plus)
                                         .arg(expected, got)));
            }
        }
    }

    void damagedFilesGiveEmptyText_data()
    {
        QTest::addColumn<Damage>("damage");
        using L = pefixture::PeOffsets;
        const auto row = [](const char* name, Damage damage) { QTest::newRow(name) << damage; };

        row("no MZ", [](Bytes& b, const L&) { b[0] = 'Z'; });
        row("PE header offset past the end", [](Bytes& b, const L&) { Put32(b, 0x3C, 0xFFFFFFF0); });
        row("no PE signature", [](Bytes& b, const L& l) { b[l.peHeader + 2] = 'X'; });
        row("unknown optional header magic", [](Bytes& b, const L& l) { Put16(b, l.optionalHeader, 0x107); });
        row("optional header too short", [](Bytes& b, const L& l) { Put16(b, l.peHeader + 20, 64); });
        row("optional header size zero", [](Bytes& b, const L& l) { Put16(b, l.peHeader + 20, 0); });
        row("only two data directories", [](Bytes& b, const L& l) { Put32(b, l.directoryCount, 2); });
        row("no sections", [](Bytes& b, const L& l) { Put16(b, l.peHeader + 6, 0); });
        row("65535 sections, table past the end", [](Bytes& b, const L& l) { Put16(b, l.peHeader + 6, 0xFFFF); });
        row("resource directory outside every section",
            [](Bytes& b, const L& l) { Put32(b, l.resourceDirectory, 0x7FFFF000); });
        row("resource directory at the top of the address space",
            [](Bytes& b, const L& l) { Put32(b, l.resourceDirectory, 0xFFFFFFFF); });
        row("section data past the end", [](Bytes& b, const L& l) { Put32(b, l.sectionTable + 20, 0xFFFFFE00); });
        row("section raw size huge", [](Bytes& b, const L& l) {
            Put32(b, l.sectionTable + 16, 0xFFFFFFFF);
            Put32(b, l.sectionTable + 20, 0xFFFFFF00);
        });
        // The section's padding still holds the version bytes, but they are not the section's.
        row("section ends inside the version data", [](Bytes& b, const L& l) {
            Put32(b, l.sectionTable + 16, static_cast<std::uint32_t>(l.versionData - l.resourceSection + 16));
        });
        row("section address wraps", [](Bytes& b, const L& l) {
            Put32(b, l.sectionTable + 12, 0xFFFFFF00);
            Put32(b, l.resourceDirectory, 0xFFFFFFF8);
        });
        row("directory claims 131070 entries",
            [](Bytes& b, const L& l) { Put32(b, l.typeDirectory + 12, 0xFFFFFFFF); });
        row("type directory without entries", [](Bytes& b, const L& l) { Put16(b, l.typeDirectory + 14, 0); });
        row("version type is a data entry", [](Bytes& b, const L& l) { Put32(b, l.typeDirectory + 20, 24); });
        row("type entry points back at the root",
            [](Bytes& b, const L& l) { Put32(b, l.typeDirectory + 20, 0x80000000u); });
        row("name entry points at itself",
            [](Bytes& b, const L& l) { Put32(b, l.nameDirectory + 20, 0x80000000u | 24); });
        row("language entry is a directory pointing at the root",
            [](Bytes& b, const L& l) { Put32(b, l.languageDirectory + 20, 0x80000000u); });
        row("language entry points past the end",
            [](Bytes& b, const L& l) { Put32(b, l.languageDirectory + 20, 0x7FFFFFF0); });
        row("data entry points at the directory as data",
            [](Bytes& b, const L& l) { Put32(b, l.languageDirectory + 20, 0); });
        row("data size of 4 GiB", [](Bytes& b, const L& l) { Put32(b, l.dataEntry + 4, 0xFFFFFFFF); });
        row("data size zero", [](Bytes& b, const L& l) { Put32(b, l.dataEntry + 4, 0); });
        row("data address wraps", [](Bytes& b, const L& l) { Put32(b, l.dataEntry, 0xFFFFFFFE); });
        row("version block length below its header", [](Bytes& b, const L& l) { Put16(b, l.versionData, 5); });
        row("version block cut before its children", [](Bytes& b, const L& l) { Put16(b, l.versionData, 92); });
        row("root value length huge", [](Bytes& b, const L& l) { Put16(b, l.versionData + 2, 0xFFFF); });
        row("root key without NUL", [](Bytes& b, const L& l) {
            Put16(b, l.versionData, 6 + 8);
            for (std::size_t i = 0; i < 8; i += 2)
                Put16(b, l.versionData + 6 + i, u'V');
        });
        // Damage inside the version blocks: the walk ends and never leaves the resource.
        row("first child of zero length", [](Bytes& b, const L&) { Put16(b, BlockOf(b, u"StringFileInfo"), 0); });
        // The translation after it is then out of reach, as for the system's own query.
        row("first child reaching past the root",
            [](Bytes& b, const L&) { Put16(b, BlockOf(b, u"StringFileInfo"), 0xFFFF); });
        row("table key cut off", [](Bytes& b, const L&) { Put16(b, BlockOf(b, u"040904B0"), 8); });
        row("translation value of two bytes", [](Bytes& b, const L&) { Put16(b, BlockOf(b, u"Translation") + 2, 2); });
        row("translation without value", [](Bytes& b, const L&) { Put16(b, BlockOf(b, u"Translation") + 2, 0); });
    }

    void damagedFilesGiveEmptyText()
    {
        QFETCH(Damage, damage);
        for (bool pe32Plus : {false, true}) {
            pefixture::PeFile file = StandardPe(pe32Plus);
            damage(file.bytes, file.offsets);
            QCOMPARE(ReadVersion(file.bytes), QString());
        }
    }

    // A FileVersion text without its NUL ends with its own block, not in the next one.
    void textWithoutNulStopsAtItsBlock()
    {
        pefixture::PeFile file =
            PeWith({{0x040904B0}, {{u"040904B0", {{u"FileVersion", u"1.4.0"}, {u"ProductName", u"Korvane"}}}}});
        const std::size_t nul = Find(file.bytes, u"1.4.0") + 10;
        Put16(file.bytes, nul, u'7');
        QCOMPARE(ReadVersion(file.bytes), "1.4.07");
    }

    // Only the headers, three directories and the resource are read, however large the file.
    void readsOnlyWhatItNeeds()
    {
        pefixture::PeLayout wanted;
        wanted.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(u"1.4.0"));
        wanted.overlayBytes = 8 * 1024 * 1024;
        const pefixture::PeFile file = pefixture::BuildPe(wanted);
        MemoryByteSource memory(file.bytes.data(), file.bytes.size());
        CountingSource counting(memory);
        QCOMPARE(QString::fromStdU16String(FileVersionTextOf(counting)), "1.4.0");
        QVERIFY2(counting.bytesRead < 2048,
                 qPrintable(QStringLiteral("read %1 bytes of %2").arg(counting.bytesRead).arg(file.bytes.size())));
    }
};

KRVNM_REGISTER_TEST(PeReaderTest)

#include "PeReaderTest.moc"
