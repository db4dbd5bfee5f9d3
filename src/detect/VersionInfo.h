#pragma once

// Queries on the bytes of a VS_VERSIONINFO resource, answered like the system's
// version query: a path of block keys (case-insensitive) down to a value. Every
// length in the resource is checked against the bytes actually there.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class VersionInfo
{
public:
    explicit VersionInfo(std::span<const std::uint8_t> bytes);

    // The value bytes of the block at the end of path ("\VarFileInfo\Translation").
    std::optional<std::span<const std::uint8_t>> value(std::u16string_view path) const;
    // The text value at the end of path, cut at its first NUL.
    std::optional<std::u16string> text(std::u16string_view path) const;

    // The first entry of "\VarFileInfo\Translation": language id in the high word,
    // code page in the low word.
    std::optional<std::uint32_t> firstTranslation() const;
    // "\StringFileInfo\" + the block name of the first translation + "\FileVersion".
    std::u16string fileVersion() const;

    // Eight upper-case hexadecimal digits: 0x040904B0 gives "040904B0".
    static std::u16string blockName(std::uint32_t translation);

private:
    struct Block
    {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::u16string_view::size_type keyLength = 0;
        std::size_t keyOffset = 0;
        std::size_t valueOffset = 0;
        std::size_t valueSize = 0; // bytes
        std::size_t childrenOffset = 0;
        std::uint16_t valueLength = 0;
    };

    std::optional<Block> blockAt(std::size_t offset, std::size_t limit) const;
    std::optional<Block> child(const Block& parent, std::u16string_view key) const;
    std::optional<Block> find(std::u16string_view path) const;
    // The block at the end of path when it has a value inside its own bytes.
    std::optional<Block> findValue(std::u16string_view path) const;
    bool keyEquals(const Block& block, std::u16string_view key) const;

    std::span<const std::uint8_t> bytes;
};
