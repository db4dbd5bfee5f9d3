#include "detect/PeImage.h"

#include "detect/ByteSource.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint16_t Pe32Magic = 0x10B;
constexpr std::uint16_t Pe32PlusMagic = 0x20B;
constexpr std::uint32_t ResourceDirectoryIndex = 2;
constexpr std::uint32_t VersionType = 16;
constexpr std::uint32_t VersionName = 1;
constexpr std::uint32_t SubdirectoryFlag = 0x80000000u;
constexpr std::size_t FileHeaderSize = 24; // signature + COFF header
constexpr std::size_t SectionHeaderSize = 40;
constexpr std::size_t DirectoryHeaderSize = 16;
constexpr std::size_t DirectoryEntrySize = 8;
constexpr std::size_t DataEntrySize = 16;

std::uint16_t U16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

} // namespace

PeImage::PeImage(ByteSource& source) : source(source)
{}

bool PeImage::readHeaders()
{
    std::array<std::uint8_t, 64> dos{};
    if (!source.read(0, dos.data(), dos.size()) || dos[0] != 'M' || dos[1] != 'Z')
        return false;
    const std::uint64_t peOffset = U32(&dos[0x3C]);

    std::array<std::uint8_t, FileHeaderSize> file{};
    if (!source.read(peOffset, file.data(), file.size()) || file[0] != 'P' || file[1] != 'E' || file[2] != 0 ||
        file[3] != 0)
        return false;
    const std::uint16_t sectionCount = U16(&file[6]);
    const std::uint16_t optionalSize = U16(&file[20]);

    std::array<std::uint8_t, 240> optional{};
    const std::size_t optionalRead = std::min<std::size_t>(optionalSize, optional.size());
    if (optionalRead < 2 || !source.read(peOffset + FileHeaderSize, optional.data(), optionalRead))
        return false;
    std::size_t countField = 0;
    switch (U16(&optional[0])) {
    case Pe32Magic:
        countField = 92;
        break;
    case Pe32PlusMagic:
        countField = 108;
        break;
    default:
        return false;
    }
    const std::size_t resourceField = countField + 4 + ResourceDirectoryIndex * 8;
    if (optionalRead < resourceField + 8 || U32(&optional[countField]) <= ResourceDirectoryIndex)
        return false;
    resourceRva = U32(&optional[resourceField]);
    if (resourceRva == 0)
        return false;

    const std::uint64_t tableOffset = peOffset + FileHeaderSize + optionalSize;
    const std::uint64_t tableSize = std::uint64_t{sectionCount} * SectionHeaderSize;
    if (sectionCount == 0 || tableOffset > source.size() || tableSize > source.size() - tableOffset)
        return false;
    std::vector<std::uint8_t> table(tableSize);
    if (!source.read(tableOffset, table.data(), table.size()))
        return false;
    sections.reserve(sectionCount);
    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* header = &table[i * SectionHeaderSize];
        sections.push_back({U32(header + 12), U32(header + 16), U32(header + 20)});
    }
    return true;
}

std::optional<std::uint64_t> PeImage::fileOffset(std::uint64_t rva, std::uint64_t length) const
{
    for (const Section& section : sections) {
        if (rva < section.virtualAddress)
            continue;
        const std::uint64_t delta = rva - section.virtualAddress;
        if (delta >= section.rawSize)
            continue;
        if (length > section.rawSize - delta)
            return std::nullopt;
        const std::uint64_t offset = section.rawPointer + delta;
        if (offset > source.size() || length > source.size() - offset)
            return std::nullopt;
        return offset;
    }
    return std::nullopt;
}

bool PeImage::readAt(std::uint64_t rva, void* out, std::size_t length)
{
    const std::optional<std::uint64_t> offset = fileOffset(rva, length);
    return offset && source.read(*offset, out, length);
}

std::optional<PeImage::DirectoryEntry> PeImage::findEntry(std::uint32_t directoryOffset,
                                                          std::optional<std::uint32_t> id)
{
    const std::uint64_t directoryRva = std::uint64_t{resourceRva} + directoryOffset;
    std::array<std::uint8_t, DirectoryHeaderSize> header{};
    if (!readAt(directoryRva, header.data(), header.size()))
        return std::nullopt;
    const std::uint32_t count = std::uint32_t{U16(&header[12])} + U16(&header[14]);
    if (count == 0)
        return std::nullopt;
    const std::uint64_t entriesRva = directoryRva + DirectoryHeaderSize;
    const std::size_t entriesSize = count * DirectoryEntrySize;
    if (!fileOffset(entriesRva, entriesSize)) // checked before anything is allocated
        return std::nullopt;
    std::vector<std::uint8_t> entries(entriesSize);
    if (!readAt(entriesRva, entries.data(), entriesSize))
        return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = &entries[i * DirectoryEntrySize];
        const std::uint32_t name = U32(entry);
        if (id && name != *id) // a named entry has the top bit set and never equals an id
            continue;
        const std::uint32_t target = U32(entry + 4);
        return DirectoryEntry{target & ~SubdirectoryFlag, (target & SubdirectoryFlag) != 0};
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> PeImage::versionResource()
{
    if (!readHeaders())
        return std::nullopt;
    // Exactly three levels, type, name and language, so a directory that points back
    // at itself or at a parent cannot lead the walk round in circles.
    const std::optional<DirectoryEntry> type = findEntry(0, VersionType);
    if (!type || !type->isDirectory)
        return std::nullopt;
    const std::optional<DirectoryEntry> name = findEntry(type->offset, VersionName);
    if (!name || !name->isDirectory)
        return std::nullopt;
    const std::optional<DirectoryEntry> language = findEntry(name->offset, std::nullopt);
    if (!language || language->isDirectory)
        return std::nullopt;

    std::array<std::uint8_t, DataEntrySize> data{};
    if (!readAt(std::uint64_t{resourceRva} + language->offset, data.data(), data.size()))
        return std::nullopt;
    const std::uint32_t dataRva = U32(&data[0]);
    const std::uint32_t dataSize = std::min(U32(&data[4]), MaxVersionResource);
    if (dataSize == 0 || !fileOffset(dataRva, dataSize))
        return std::nullopt;
    std::vector<std::uint8_t> bytes(dataSize);
    if (!readAt(dataRva, bytes.data(), dataSize))
        return std::nullopt;
    return bytes;
}
