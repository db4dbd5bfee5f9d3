#pragma once

// Writes PE32 and PE32+ images with version resources: any languages, code pages and
// strings, optionally without resources, and with the offsets of every structure so a
// test can damage exactly one of them. The tests, the demo's stand-in game and the fuzz
// seeds use it; standard library only, so the Windows stage builds it with MinGW too.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pefixture {

using Bytes = std::vector<std::uint8_t>;

struct StringTable
{
    std::u16string name; // "040904B0"
    std::vector<std::pair<std::u16string, std::u16string>> strings;
};

// The contents of a VS_VERSIONINFO resource.
struct VersionLayout
{
    std::vector<std::uint32_t> translations; // language id << 16 | code page; none: no VarFileInfo
    std::vector<StringTable> tables;
};

// The usual resource: one translation and its table with FileVersion and a few more.
VersionLayout standardVersion(const std::u16string& fileVersion, std::uint16_t language = 0x0409,
                              std::uint16_t codePage = 1200);

Bytes buildVersionInfo(const VersionLayout& wanted);

// The image to write.
struct PeLayout
{
    bool pe32Plus = false;
    std::optional<Bytes> versionResource; // none: a resource tree without a version entry
    bool withResources = true;            // false: no resource directory at all
    std::uint16_t resourceLanguage = 0x0409;
    std::uint32_t versionNameId = 1;
    std::size_t overlayBytes = 0; // bytes appended after the image, as installers do
};

// Offsets into the written file.
struct PeOffsets
{
    std::size_t peHeader = 0; // "PE\0\0"
    std::size_t optionalHeader = 0;
    std::size_t directoryCount = 0;    // NumberOfRvaAndSizes
    std::size_t resourceDirectory = 0; // the resource entry of the data directories
    std::size_t sectionTable = 0;
    std::size_t resourceSection = 0; // file offset of the resource tree
    std::uint32_t resourceRva = 0;
    std::size_t typeDirectory = 0; // the three directory levels of the version entry
    std::size_t nameDirectory = 0;
    std::size_t languageDirectory = 0;
    std::size_t dataEntry = 0;
    std::size_t versionData = 0; // file offset of the VS_VERSIONINFO bytes
};

struct PeFile
{
    Bytes bytes;
    PeOffsets offsets;
};

PeFile buildPe(const PeLayout& wanted);

void put16(Bytes& bytes, std::size_t offset, std::uint16_t value);
void put32(Bytes& bytes, std::size_t offset, std::uint32_t value);

bool WriteFile(const std::filesystem::path& path, const Bytes& bytes);

} // namespace pefixture
