#pragma once

// The headers of a PE32 or PE32+ file and the path through its resource tree to the
// version resource. Reads only the headers, the directories on that path and the
// resource itself; every offset and size from the file is checked before it is used.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class ByteSource;

class PeImage
{
public:
    // A version resource is at most this long: its length field has 16 bits.
    static constexpr std::uint32_t MaxVersionResource = 0xFFFF;

    explicit PeImage(ByteSource& source);

    // The bytes of the version resource (type 16, name 1, the first language), or
    // nothing when the file is not a PE image or has no readable version resource.
    std::optional<std::vector<std::uint8_t>> versionResource();

private:
    struct Section
    {
        std::uint32_t virtualAddress = 0;
        std::uint32_t rawSize = 0;
        std::uint32_t rawPointer = 0;
    };

    struct DirectoryEntry
    {
        std::uint32_t offset = 0; // within the resource tree
        bool isDirectory = false;
    };

    bool readHeaders();
    std::optional<std::uint64_t> fileOffset(std::uint64_t rva, std::uint64_t length) const;
    bool readAt(std::uint64_t rva, void* out, std::size_t length);
    // The entry with the given id in the directory at offset, or the first entry when
    // id is not given.
    std::optional<DirectoryEntry> findEntry(std::uint32_t directoryOffset, std::optional<std::uint32_t> id);

    ByteSource& source;
    std::vector<Section> sections;
    std::uint32_t resourceRva = 0;
};
