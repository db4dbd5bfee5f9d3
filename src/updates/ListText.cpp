#include "updates/ListText.h"

#include <algorithm>

namespace {

constexpr std::size_t MaxNameCharacters = 64;

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

bool LineReader::next(std::string_view& line)
{
    // A text that ends with a line end has no further, empty line.
    if (rest.empty())
        return false;
    const std::size_t end = rest.find_first_of("\r\n");
    line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
        return true;
    }
    const std::string_view ending = rest.substr(end);
    const std::size_t length = ending.starts_with("\r\r\n") ? 3 : ending.starts_with("\r\n") ? 2 : 1;
    rest.remove_prefix(end + length);
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view needle)
{
    const auto found = std::search(text.begin(), text.end(), needle.begin(), needle.end(),
                                   [](char a, char b) { return foldAscii(a) == foldAscii(b); });
    return found != text.end() || needle.empty();
}

std::size_t countSeparators(std::string_view text, std::string_view separator)
{
    if (text.empty() || separator.empty() || !containsIgnoringCase(text, separator))
        return 0;
    std::size_t count = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, at + separator.size()))
        ++count;
    return count;
}

bool isPlainName(std::string_view name)
{
    std::size_t characters = 0;
    bool onlyBlanks = true;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte < 0x20 || byte == 0x7F || byte == '/' || byte == '\\' || byte == ':')
            return false;
        // U+0080 to U+009F, the other control characters.
        if (byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) < 0xA0 &&
            static_cast<unsigned char>(name[i + 1]) >= 0x80)
            return false;
        if ((byte & 0xC0) != 0x80)
            ++characters;
        if (byte != ' ')
            onlyBlanks = false;
    }
    return !onlyBlanks && characters <= MaxNameCharacters && name.find("..") == std::string_view::npos;
}
