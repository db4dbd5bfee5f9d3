#include "detect/VersionInfo.h"

#include <algorithm>

namespace {

constexpr std::size_t BlockHeaderSize = 6; // wLength, wValueLength, wType
constexpr std::uint16_t TextType = 1;

std::size_t align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

char16_t upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

} // namespace

VersionInfo::VersionInfo(std::span<const std::uint8_t> bytes) : bytes(bytes)
{}

std::optional<VersionInfo::Block> VersionInfo::blockAt(std::size_t offset, std::size_t limit) const
{
    if (offset > limit || limit - offset < BlockHeaderSize)
        return std::nullopt;
    const auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8)); };
    Block block;
    block.begin = offset;
    const std::size_t length = u16(offset);
    if (length < BlockHeaderSize)
        return std::nullopt;
    // A block claiming more than its parent holds is cut to the parent.
    block.end = std::min(offset + length, limit);
    block.valueLength = u16(offset + 2);
    const bool isText = u16(offset + 4) == TextType;
    block.keyOffset = offset + BlockHeaderSize;
    std::size_t at = block.keyOffset;
    while (at + 2 <= block.end && u16(at) != 0)
        at += 2;
    if (at + 2 > block.end)
        return std::nullopt; // the key has no terminating NUL inside the block
    block.keyLength = (at - block.keyOffset) / 2;
    block.valueOffset = align4(at + 2);
    block.valueSize = std::size_t{block.valueLength} * (isText ? 2 : 1);
    block.childrenOffset = align4(block.valueOffset + block.valueSize);
    return block;
}

bool VersionInfo::keyEquals(const Block& block, std::u16string_view key) const
{
    if (block.keyLength != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const std::size_t at = block.keyOffset + 2 * i;
        const auto c = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (upper(c) != upper(key[i]))
            return false;
    }
    return true;
}

std::optional<VersionInfo::Block> VersionInfo::child(const Block& parent, std::u16string_view key) const
{
    // Every step moves forward by at least one block header, so the walk ends.
    for (std::size_t at = parent.childrenOffset; at < parent.end;) {
        const std::optional<Block> block = blockAt(at, parent.end);
        if (!block)
            return std::nullopt;
        if (keyEquals(*block, key))
            return block;
        at = align4(block->end);
    }
    return std::nullopt;
}

std::optional<VersionInfo::Block> VersionInfo::find(std::u16string_view path) const
{
    std::optional<Block> block = blockAt(0, bytes.size());
    while (block && !path.empty()) {
        if (path.front() == u'\\') {
            path.remove_prefix(1);
            continue;
        }
        const std::size_t cut = std::min(path.find(u'\\'), path.size());
        block = child(*block, path.substr(0, cut));
        path.remove_prefix(cut);
    }
    return block;
}

std::optional<VersionInfo::Block> VersionInfo::findValue(std::u16string_view path) const
{
    std::optional<Block> block = find(path);
    if (!block || block->valueLength == 0 || block->valueOffset >= block->end)
        return std::nullopt;
    return block;
}

std::optional<std::span<const std::uint8_t>> VersionInfo::value(std::u16string_view path) const
{
    const std::optional<Block> block = findValue(path);
    if (!block)
        return std::nullopt;
    const std::size_t size = std::min(block->valueSize, block->end - block->valueOffset);
    return bytes.subspan(block->valueOffset, size);
}

std::optional<std::u16string> VersionInfo::text(std::u16string_view path) const
{
    const std::optional<Block> block = findValue(path);
    if (!block)
        return std::nullopt;
    // The text runs to its NUL, which may lie past a value length counted in bytes
    // rather than characters; it never runs past its own block.
    const auto charAt = [&](std::size_t at) { return static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)); };
    std::size_t stop = block->valueOffset;
    while (stop + 2 <= block->end && charAt(stop) != 0)
        stop += 2;
    std::u16string result((stop - block->valueOffset) / 2, u'\0');
    for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = charAt(block->valueOffset + 2 * i);
    return result;
}

std::optional<std::uint32_t> VersionInfo::firstTranslation() const
{
    const std::optional<std::span<const std::uint8_t>> found = value(u"\\VarFileInfo\\Translation");
    if (!found || found->size() < 4)
        return std::nullopt;
    const std::span<const std::uint8_t> entry = *found;
    const std::uint32_t language = entry[0] | (entry[1] << 8);
    const std::uint32_t codePage = entry[2] | (entry[3] << 8);
    return (language << 16) | codePage;
}

std::u16string VersionInfo::fileVersion() const
{
    const std::optional<std::uint32_t> translation = firstTranslation();
    if (!translation)
        return {};
    const std::u16string path = u"\\StringFileInfo\\" + blockName(*translation) + u"\\FileVersion";
    return text(path).value_or(std::u16string());
}

std::u16string VersionInfo::blockName(std::uint32_t translation)
{
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string name(8, u'0');
    for (int i = 7; i >= 0; --i, translation >>= 4)
        name[static_cast<std::size_t>(i)] = digits[translation & 0xF];
    return name;
}
