#include "PeFixtureWriter.h"
#include "TestMain.h"
#include "detect/ByteSource.h"
#include "detect/FileVersionText.h"
#include "detect/VersionInfo.h"

#include <QTemporaryDir>
#include <QTest>

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

pefixture::PeFile StandardPe(bool pe32Plus = false, const std::u16string& version = u"1.4.0")
{
    pefixture::PeLayout wanted;
    wanted.pe32Plus = pe32Plus;
    wanted.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(version));
    return pefixture::BuildPe(wanted);
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
        QTest::newRow("PE32+ US English Unicode") << true << 0x0409 << 1200 << "1.4.0-beta5";
        QTest::newRow("PE32 German Western") << false << 0x0407 << 1252 << "r26400";
        QTest::newRow("PE32+ German Western") << true << 0x0407 << 1252 << "1.10.0";
        QTest::newRow("PE32 Japanese Shift-JIS") << false << 0x0411 << 932 << "0.7.5";
        QTest::newRow("PE32+ neutral") << true << 0x0000 << 0x04B0 << "1.2.0-RC1";
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
        const QString path = temp.filePath(QStringLiteral("korvane.exe"));
        QVERIFY(pefixture::WriteFile(path.toStdU16String(), file.bytes));
        QCOMPARE(QString::fromStdU16String(GetFileVersionText(path.toStdU16String())), version);
    }

    void blockNameIsEightUpperCaseDigits_data()
    {
        QTest::addColumn<quint32>("translation");
        QTest::addColumn<QString>("name");
        QTest::newRow("US English, Unicode") << quint32(0x040904B0) << "040904B0";
        QTest::newRow("German, Western") << quint32(0x040704E4) << "040704E4";
        QTest::newRow("neutral, code page 0") << quint32(0) << "00000000";
        QTest::newRow("all bits") << quint32(0xFFFFFFFF) << "FFFFFFFF";
        QTest::newRow("low digits only") << quint32(0x0000ABCD) << "0000ABCD";
    }

    void blockNameIsEightUpperCaseDigits()
    {
        QFETCH(quint32, translation);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdU16String(VersionInfo::BlockName(translation)), name);
    }

    // The first translation chooses the table, wherever that table stands and whatever
    // else the resource holds.
    void tableOfFirstTranslationIsRead_data()
    {
        QTest::addColumn<pefixture::VersionLayout>("wanted");
        QTest::addColumn<QString>("expected");

        pefixture::VersionLayout german;
        german.translations = {0x040704E4, 0x040904B0};
        german.tables = {{u"040904B0", {{u"FileVersion", u"english"}}}, {u"040704E4", {{u"FileVersion", u"german"}}}};
        QTest::newRow("German first, its table second") << german << "german";

        pefixture::VersionLayout lower;
        lower.translations = {0x040704E4};
        lower.tables = {{u"040704e4", {{u"fileversion", u"1.3.0"}}}};
        QTest::newRow("keys compared without case") << lower << "1.3.0";

        pefixture::VersionLayout missingTable;
        missingTable.translations = {0x040704E4};
        missingTable.tables = {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}};
        QTest::newRow("no table for the translation") << missingTable << "";

        pefixture::VersionLayout noTranslation;
        noTranslation.tables = {{u"040904B0", {{u"FileVersion", u"1.4.0"}}}};
        QTest::newRow("no VarFileInfo") << noTranslation << "";

        pefixture::VersionLayout noFileVersion;
        noFileVersion.translations = {0x040904B0};
        noFileVersion.tables = {{u"040904B0", {{u"ProductVersion", u"1.4.0"}}}};
        QTest::newRow("table without FileVersion") << noFileVersion << "";

        pefixture::VersionLayout similarKey;
        similarKey.translations = {0x040904B0};
        similarKey.tables = {
            {u"040904B0", {{u"FileVersionX", u"no"}, {u"FileVersio", u"no"}, {u"FileVersion", u"yes"}}}};
        QTest::newRow("only the exact key") << similarKey << "yes";

        pefixture::VersionLayout emptyVersion;
        emptyVersion.translations = {0x040904B0};
        emptyVersion.tables = {{u"040904B0", {{u"FileVersion", u""}}}};
        QTest::newRow("empty FileVersion") << emptyVersion << "";

        pefixture::VersionLayout embeddedNul;
        embeddedNul.translations = {0x040904B0};
        embeddedNul.tables = {{u"040904B0", {{u"FileVersion", std::u16string(u"1.4.0\0junk", 10)}}}};
        QTest::newRow("cut at the first NUL") << embeddedNul << "1.4.0";
    }

    void tableOfFirstTranslationIsRead()
    {
        QFETCH(pefixture::VersionLayout, wanted);
        QFETCH(QString, expected);
        pefixture::PeLayout pe;
        pe.versionResource = pefixture::BuildVersionInfo(wanted);
        QCOMPARE(ReadVersion(pefixture::BuildPe(pe).bytes), expected);
    }

    void filesWithoutVersionResourceGiveEmptyText()
    {
        pefixture::PeLayout noResources;
        noResources.withResources = false;
        QCOMPARE(ReadVersion(pefixture::BuildPe(noResources).bytes), QString());

        pefixture::PeLayout iconOnly; // a resource tree without a version entry
        QCOMPARE(ReadVersion(pefixture::BuildPe(iconOnly).bytes), QString());

        pefixture::PeLayout otherName = {};
        otherName.versionResource = pefixture::BuildVersionInfo(pefixture::StandardVersion(u"1.4.0"));
        otherName.versionNameId = 2;
        QCOMPARE(ReadVersion(pefixture::BuildPe(otherName).bytes), QString());

        QCOMPARE(ReadVersion({}), QString());
        const Bytes text = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'};
        QCOMPARE(ReadVersion(text), QString());

        QTemporaryDir temp;
        QCOMPARE(
            QString::fromStdU16String(GetFileVersionText(temp.filePath(QStringLiteral("none.exe")).toStdU16String())),
            QString());
        QCOMPARE(QString::fromStdU16String(GetFileVersionText(temp.path().toStdU16String())), QString());
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
                const QString expected = length < needed ? QString() : QStringLiteral("1.4.0");
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
        row("PE header offset at the DOS header", [](Bytes& b, const L&) { Put32(b, 0x3C, 0); });
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
        row("data past the end of the section", [](Bytes& b, const L& l) { Put32(b, l.dataEntry, 0x1000 + 0x1F0); });
        row("data size of 4 GiB", [](Bytes& b, const L& l) { Put32(b, l.dataEntry + 4, 0xFFFFFFFF); });
        row("data size zero", [](Bytes& b, const L& l) { Put32(b, l.dataEntry + 4, 0); });
        row("data address wraps", [](Bytes& b, const L& l) { Put32(b, l.dataEntry, 0xFFFFFFFE); });
        row("version block length zero", [](Bytes& b, const L& l) { Put16(b, l.versionData, 0); });
        row("version block length below its header", [](Bytes& b, const L& l) { Put16(b, l.versionData, 5); });
        row("version block cut before its children", [](Bytes& b, const L& l) { Put16(b, l.versionData, 92); });
        row("root value length huge", [](Bytes& b, const L& l) { Put16(b, l.versionData + 2, 0xFFFF); });
        row("root key without NUL", [](Bytes& b, const L& l) {
            Put16(b, l.versionData, 6 + 8);
            for (std::size_t i = 0; i < 8; i += 2)
                Put16(b, l.versionData + 6 + i, u'V');
        });
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

    // Damage inside the version blocks: the walk ends and never leaves the resource.
    void damagedVersionBlocks_data()
    {
        QTest::addColumn<Damage>("damage");
        QTest::addColumn<QString>("expected");
        // In the standard resource the StringFileInfo block starts at 92 and its table at 128.
        const auto row = [](const char* name, Damage damage, const char* expected) {
            QTest::newRow(name) << damage << QString::fromLatin1(expected);
        };
        using L = pefixture::PeOffsets;
        row(
            "first child of zero length", [](Bytes& b, const L& l) { Put16(b, l.versionData + 92, 0); }, "");
        // The translation after it is then out of reach, as for the system's own query.
        row(
            "first child reaching past the root", [](Bytes& b, const L& l) { Put16(b, l.versionData + 92, 0xFFFF); },
            "");
        row(
            "table key cut off", [](Bytes& b, const L& l) { Put16(b, l.versionData + 128, 8); }, "");
        row(
            "translation value of two bytes",
            [](Bytes& b, const L& l) {
                const std::size_t var = VarBlock(b, l);
                Put16(b, var + 2, 2);
            },
            "");
        row(
            "translation without value", [](Bytes& b, const L& l) { Put16(b, VarBlock(b, l) + 2, 0); }, "");
    }

    void damagedVersionBlocks()
    {
        QFETCH(Damage, damage);
        QFETCH(QString, expected);
        pefixture::PeFile file = StandardPe();
        damage(file.bytes, file.offsets);
        QCOMPARE(ReadVersion(file.bytes), expected);
    }

    // A FileVersion text without its NUL ends with its own block, not in the next one.
    void textWithoutNulStopsAtItsBlock()
    {
        pefixture::VersionLayout wanted;
        wanted.translations = {0x040904B0};
        wanted.tables = {{u"040904B0", {{u"FileVersion", u"1.4.0"}, {u"ProductName", u"Korvane"}}}};
        pefixture::PeLayout pe;
        pe.versionResource = pefixture::BuildVersionInfo(wanted);
        pefixture::PeFile file = pefixture::BuildPe(pe);
        const std::u16string key = u"FileVersion";
        const std::size_t at = Find(file.bytes, key) + 6 + 2 * key.size() + 2;
        // Value at the next 4-byte boundary: "1.4.0" then NUL. Replace the NUL.
        const std::size_t value = (at + 3) & ~std::size_t{3};
        QCOMPARE(file.bytes[value], std::uint8_t('1'));
        Put16(file.bytes, value + 10, u'7');
        QCOMPARE(ReadVersion(file.bytes), QStringLiteral("1.4.07"));
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
        QCOMPARE(QString::fromStdU16String(FileVersionTextOf(counting)), QStringLiteral("1.4.0"));
        QVERIFY2(counting.bytesRead < 2048,
                 qPrintable(QStringLiteral("read %1 bytes of %2").arg(counting.bytesRead).arg(file.bytes.size())));
    }

private:
    static std::size_t Find(const Bytes& bytes, const std::u16string& text)
    {
        Bytes pattern;
        for (char16_t c : text) {
            pattern.push_back(static_cast<std::uint8_t>(c & 0xFF));
            pattern.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        const auto found = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
        return found == bytes.end() ? 0 : static_cast<std::size_t>(found - bytes.begin()) - 6;
    }

    static std::size_t VarBlock(const Bytes& bytes, const pefixture::PeOffsets&) { return Find(bytes, u"Translation"); }
};

KRVNM_REGISTER_TEST(PeReaderTest)

#include "PeReaderTest.moc"
