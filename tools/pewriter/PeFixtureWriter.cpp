#include "PeFixtureWriter.h"

#include <algorithm>
#include <fstream>

namespace pefixture {

namespace {

constexpr std::uint32_t FileAlignment = 0x200;
constexpr std::uint32_t SectionAlignment = 0x1000;
constexpr std::uint32_t ResourceRva = 0x1000;
constexpr std::size_t PeOffset = 0x80;

std::size_t alignUp(std::size_t value, std::size_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

void padTo4(Bytes& bytes)
{
    bytes.resize(alignUp(bytes.size(), 4), 0);
}

void appendText(Bytes& bytes, const std::u16string& text)
{
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
}

// One VS_VERSIONINFO-style block: header, key, value and children, each 32-bit aligned.
Bytes Block(const std::u16string& key, const Bytes& value, std::uint16_t valueLength, bool isText,
            const std::vector<Bytes>& children)
{
    Bytes block(6, 0);
    put16(block, 2, valueLength);
    put16(block, 4, isText ? 1 : 0);
    appendText(block, key);
    padTo4(block);
    block.insert(block.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        padTo4(block);
        block.insert(block.end(), child.begin(), child.end());
    }
    put16(block, 0, static_cast<std::uint16_t>(block.size()));
    return block;
}

Bytes fixedFileInfo()
{
    Bytes info(52, 0);
    put32(info, 0, 0xFEEF04BD);
    put32(info, 4, 0x00010000);
    put32(info, 8, 0x00010004);  // file version 1.4
    put32(info, 16, 0x00010004); // product version 1.4
    put32(info, 28, 0x00000004); // VOS__WINDOWS32
    put32(info, 32, 0x00000001); // VFT_APP
    return info;
}

} // namespace

void put16(Bytes& bytes, std::size_t offset, std::uint16_t value)
{
    bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
    bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void put32(Bytes& bytes, std::size_t offset, std::uint32_t value)
{
    put16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

VersionLayout standardVersion(const std::u16string& fileVersion, std::uint16_t language, std::uint16_t codePage)
{
    static constexpr char16_t hex[] = u"0123456789ABCDEF";
    const std::uint32_t translation = (std::uint32_t{language} << 16) | codePage;
    std::u16string name;
    for (int shift = 28; shift >= 0; shift -= 4)
        name.push_back(hex[(translation >> shift) & 0xF]);
    StringTable table{name,
                      {{u"CompanyName", u"Korvane developers"},
                       {u"FileDescription", u"Korvane"},
                       {u"FileVersion", fileVersion},
                       {u"ProductName", u"Korvane"},
                       {u"ProductVersion", fileVersion}}};
    return VersionLayout{{translation}, {table}};
}

Bytes buildVersionInfo(const VersionLayout& wanted)
{
    std::vector<Bytes> children;
    if (!wanted.tables.empty()) {
        std::vector<Bytes> tables;
        for (const StringTable& table : wanted.tables) {
            std::vector<Bytes> strings;
            for (const auto& [key, text] : table.strings) {
                Bytes value;
                appendText(value, text);
                strings.push_back(Block(key, value, static_cast<std::uint16_t>(text.size() + 1), true, {}));
            }
            tables.push_back(Block(table.name, {}, 0, true, strings));
        }
        children.push_back(Block(u"StringFileInfo", {}, 0, true, tables));
    }
    if (!wanted.translations.empty()) {
        Bytes value;
        for (std::uint32_t translation : wanted.translations) {
            value.resize(value.size() + 4);
            put16(value, value.size() - 4, static_cast<std::uint16_t>(translation >> 16));
            put16(value, value.size() - 2, static_cast<std::uint16_t>(translation & 0xFFFF));
        }
        const Bytes var = Block(u"Translation", value, static_cast<std::uint16_t>(value.size()), false, {});
        children.push_back(Block(u"VarFileInfo", {}, 0, true, {var}));
    }
    return Block(u"VS_VERSION_INFO", fixedFileInfo(), 52, false, children);
}

PeFile buildPe(const PeLayout& wanted)
{
    PeFile file;
    PeOffsets& offsets = file.offsets;
    Bytes& out = file.bytes;
    const std::size_t optionalSize = wanted.pe32Plus ? 240 : 224;
    offsets.peHeader = PeOffset;
    offsets.optionalHeader = PeOffset + 24;
    offsets.sectionTable = offsets.optionalHeader + optionalSize;
    const std::size_t headersSize = alignUp(offsets.sectionTable + 40, FileAlignment);
    offsets.resourceSection = headersSize;
    offsets.resourceRva = ResourceRva;

    // The resource tree: type, name and language directories, one data entry, the data.
    Bytes tree(16 + 8, 0);
    const bool versionEntry = wanted.versionResource.has_value();
    put16(tree, 14, 1);
    put32(tree, 16, versionEntry ? 16 : 3); // without a version: an icon entry only
    put32(tree, 20, 0x80000000u | 24);
    tree.resize(48, 0);
    put16(tree, 24 + 14, 1);
    put32(tree, 24 + 16, versionEntry ? wanted.versionNameId : 1);
    put32(tree, 24 + 20, 0x80000000u | 48);
    tree.resize(72, 0);
    put16(tree, 48 + 14, 1);
    put32(tree, 48 + 16, wanted.resourceLanguage);
    put32(tree, 48 + 20, 72);
    tree.resize(88, 0);
    const Bytes data = versionEntry ? *wanted.versionResource : Bytes(16, 0);
    put32(tree, 72, ResourceRva + 88);
    put32(tree, 76, static_cast<std::uint32_t>(data.size()));
    tree.insert(tree.end(), data.begin(), data.end());
    offsets.typeDirectory = offsets.resourceSection;
    offsets.nameDirectory = offsets.resourceSection + 24;
    offsets.languageDirectory = offsets.resourceSection + 48;
    offsets.dataEntry = offsets.resourceSection + 72;
    offsets.versionData = offsets.resourceSection + 88;

    const std::size_t rawSize = alignUp(tree.size(), FileAlignment);
    const std::size_t imageSize = ResourceRva + alignUp(tree.size(), SectionAlignment);
    out.assign(headersSize + rawSize, 0);

    out[0] = 'M';
    out[1] = 'Z';
    put32(out, 0x3C, PeOffset);
    out[PeOffset] = 'P';
    out[PeOffset + 1] = 'E';
    put16(out, PeOffset + 4, wanted.pe32Plus ? 0x8664 : 0x014C);
    put16(out, PeOffset + 6, 1);
    put16(out, PeOffset + 20, static_cast<std::uint16_t>(optionalSize));
    put16(out, PeOffset + 22, wanted.pe32Plus ? 0x0022 : 0x0102); // executable, 32-bit / large-address

    const std::size_t o = offsets.optionalHeader;
    put16(out, o, wanted.pe32Plus ? 0x20B : 0x10B);
    out[o + 2] = 14;
    put32(out, o + 8, static_cast<std::uint32_t>(rawSize)); // initialised data
    if (wanted.pe32Plus) {
        put32(out, o + 24, 0x40000000); // image base, low half
        put32(out, o + 28, 0x00000001);
    } else {
        put32(out, o + 28, 0x00400000);
    }
    put32(out, o + 32, SectionAlignment);
    put32(out, o + 36, FileAlignment);
    put16(out, o + 40, 6); // operating system 6.0
    put16(out, o + 48, 6); // subsystem 6.0
    put32(out, o + 56, static_cast<std::uint32_t>(imageSize));
    put32(out, o + 60, static_cast<std::uint32_t>(headersSize));
    put16(out, o + 68, 2);      // GUI
    put16(out, o + 70, 0x8140); // terminal-server aware, NX, dynamic base
    const std::size_t stack = wanted.pe32Plus ? 8 : 4;
    put32(out, o + 72, 0x100000);
    put32(out, o + 72 + stack, 0x1000);
    put32(out, o + 72 + 2 * stack, 0x100000);
    put32(out, o + 72 + 3 * stack, 0x1000);
    const std::size_t countField = wanted.pe32Plus ? 108 : 92;
    offsets.directoryCount = o + countField;
    put32(out, offsets.directoryCount, 16);
    offsets.resourceDirectory = o + countField + 4 + 2 * 8;
    if (wanted.withResources) {
        put32(out, offsets.resourceDirectory, ResourceRva);
        put32(out, offsets.resourceDirectory + 4, static_cast<std::uint32_t>(tree.size()));
    }

    const std::size_t s = offsets.sectionTable;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    std::copy(name, name + 8, out.begin() + static_cast<std::ptrdiff_t>(s));
    put32(out, s + 8, static_cast<std::uint32_t>(tree.size()));
    put32(out, s + 12, ResourceRva);
    put32(out, s + 16, static_cast<std::uint32_t>(rawSize));
    put32(out, s + 20, static_cast<std::uint32_t>(offsets.resourceSection));
    put32(out, s + 36, 0x40000040); // initialised data, readable

    std::copy(tree.begin(), tree.end(), out.begin() + static_cast<std::ptrdiff_t>(offsets.resourceSection));
    out.resize(out.size() + wanted.overlayBytes, 0);
    return file;
}

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace pefixture
