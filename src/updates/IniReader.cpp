#include "updates/IniReader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

enum class Encoding
{
    Ansi,
    Utf8,
    Utf16Le,
    Utf16Be
};

// Windows-1252 for the bytes 0x80 to 0x9F; the five unassigned ones keep their value.
constexpr std::array<char16_t, 32> Cp1252High = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t Replacement = 0xFFFD;
constexpr char32_t Invalid = 0xFFFFFFFF;

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == 0x1A;
}

bool isLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

// A place in the text: a byte offset, and whether the low half of a surrogate pair
// decoded from the sequence there comes next.
struct Pos
{
    std::size_t byte = 0;
    bool lowHalf = false;
};

struct Range
{
    Pos begin;
    Pos end;
};

bool operator==(const Pos& a, const Pos& b)
{
    return a.byte == b.byte && a.lowHalf == b.lowHalf;
}

// The text as UTF-16 code units, decoded where they are read, so nothing is converted
// ahead and nothing is allocated.
class Text
{
public:
    explicit Text(std::string_view bytes) : bytes(bytes)
    {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            encoding = Encoding::Utf8;
            start = 3;
        } else if (bytes.starts_with("\xFF\xFE")) {
            encoding = Encoding::Utf16Le;
            start = 2;
        } else if (bytes.starts_with("\xFE\xFF")) {
            encoding = Encoding::Utf16Be;
            start = 2;
        }
        // A last odd byte of UTF-16 is half a character: it is left out.
        if (encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be)
            end = bytes.size() - (bytes.size() - start) % 2;
    }

    Pos begin() const { return Pos{start, false}; }
    bool atEnd(const Pos& pos) const { return pos.byte >= end; }

    // The unit at pos; pos moves past it.
    char16_t next(Pos& pos) const
    {
        const auto byte = [this](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        switch (encoding) {
        case Encoding::Ansi: {
            const unsigned char b = byte(pos.byte++);
            return b >= 0x80 && b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b);
        }
        case Encoding::Utf16Le:
        case Encoding::Utf16Be: {
            const std::size_t i = pos.byte;
            pos.byte += 2;
            return encoding == Encoding::Utf16Le ? char16_t(byte(i) | byte(i + 1) << 8)
                                                 : char16_t(byte(i) << 8 | byte(i + 1));
        }
        case Encoding::Utf8:
            break;
        }
        const auto [codePoint, length] = decodeUtf8(pos.byte);
        if (codePoint == Invalid || codePoint < 0x10000) {
            pos.byte += length;
            return codePoint == Invalid ? Replacement : char16_t(codePoint);
        }
        const char32_t offset = codePoint - 0x10000;
        if (!pos.lowHalf) {
            pos.lowHalf = true;
            return char16_t(0xD800 + (offset >> 10));
        }
        pos.lowHalf = false;
        pos.byte += length;
        return char16_t(0xDC00 + (offset & 0x3FF));
    }

private:
    // One UTF-8 sequence as Windows decodes it: an invalid one stands for one replacement
    // character and spans its lead byte and the continuation bytes that fitted so far; a
    // sequence cut short by the end of the text spans the rest of it.
    std::pair<char32_t, std::size_t> decodeUtf8(std::size_t at) const
    {
        const unsigned char lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80)
            return {lead, 1};
        const std::size_t following = lead >= 0xC2 && lead <= 0xDF   ? 1
                                      : lead >= 0xE0 && lead <= 0xEF ? 2
                                      : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                                     : 0;
        if (following == 0)
            return {Invalid, 1};
        if (at + 1 + following > bytes.size())
            return {Invalid, bytes.size() - at};
        const unsigned char masks[] = {0, 0x1F, 0x0F, 0x07};
        char32_t value = lead & masks[following];
        std::size_t used = 1;
        const auto continuation = [&](std::size_t i) -> std::optional<char32_t> {
            const unsigned char bits = static_cast<unsigned char>(bytes[i]) ^ 0x80;
            return bits < 0x40 ? std::optional<char32_t>(bits) : std::nullopt;
        };
        if (following == 3) {
            const auto bits = continuation(at + used);
            if (!bits)
                return {Invalid, used};
            value = value << 6 | *bits;
            ++used;
            if (value < 0x10)
                return {Invalid, used};
        }
        if (following >= 2) {
            const auto bits = continuation(at + used);
            if (!bits)
                return {Invalid, used};
            value = value << 6 | *bits;
            if (value >= (0x110000 >> 6))
                return {Invalid, used};
            ++used;
            if (value < 0x20 || (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6)))
                return {Invalid, used};
        }
        const auto bits = continuation(at + used);
        if (!bits)
            return {Invalid, used};
        value = value << 6 | *bits;
        ++used;
        if (value < 0x80)
            return {Invalid, used};
        return {value, used};
    }

    std::string_view bytes;
    Encoding encoding = Encoding::Ansi;
    std::size_t start = 0;
    std::size_t end = bytes.size();
};

// What the reader copies into its buffer: the value cut at its first NUL, one pair of
// matching quotes taken off, at most 254 characters. Keeps no more than it may return.
class EntryCopy
{
public:
    // False once the value has ended at a NUL.
    bool add(char16_t unit)
    {
        if (unit == u'\0')
            return false;
        if (kept.size() <= IniBufferChars)
            kept.push_back(unit);
        ++length;
        last = unit;
        return true;
    }

    std::u16string result()
    {
        if (length == 0)
            return {};
        const char16_t quote = kept.front();
        const bool quoted = (quote == u'"' || quote == u'\'') && length >= 2 && last == quote;
        const std::size_t start = quoted ? 1 : 0;
        const std::size_t valueLength = length - start;
        std::u16string out = kept.substr(start, std::min(valueLength, IniBufferChars - 1));
        // The closing quote goes only when the whole value fitted, and then the last
        // character copied goes with it, whatever it is.
        if (quoted && IniBufferChars >= valueLength)
            out.pop_back();
        return out;
    }

private:
    std::u16string kept;
    std::size_t length = 0;
    char16_t last = 0;
};

// A name as the caller gives it: a C string without the blanks around it.
std::u16string_view lookupName(std::u16string_view name)
{
    name = name.substr(0, name.find(u'\0'));
    while (!name.empty() && isBlank(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    return name;
}

class Lookup
{
public:
    Lookup(std::string_view bytes, std::u16string_view section, std::u16string_view key)
        : text(bytes), section(lookupName(section)), key(lookupName(key))
    {}

    // The value's range; nothing when the key is absent or has no "=".
    std::optional<Range> find() const
    {
        // Lines before the first section header belong to a section without a name.
        bool inSection = section.empty();
        Pos pos = text.begin();
        while (!text.atEnd(pos)) {
            const Line line = readLine(pos);
            if (!line.hasText)
                continue;
            if (line.first == u'[' && line.lastBracket) {
                // Only the first section of the name is read.
                if (inSection)
                    return std::nullopt;
                Pos nameStart = line.begin;
                text.next(nameStart);
                inSection = equalsName(Range{nameStart, *line.lastBracket}, section);
                continue;
            }
            if (!inSection || !equalsName(Range{line.begin, line.equals.value_or(line.end)}, key))
                continue;
            if (!line.equals)
                return std::nullopt;
            Pos valueStart = *line.equals;
            text.next(valueStart);
            return trimmed(Range{valueStart, line.end});
        }
        return std::nullopt;
    }

    void copy(Range range, EntryCopy& entry) const
    {
        for (Pos pos = range.begin; !(pos == range.end) && entry.add(text.next(pos));) {
        }
    }

private:
    struct Line
    {
        bool hasText = false;
        char16_t first = 0;
        Pos begin;                      // at the first character that is not blank
        Pos end;                        // after the last character that is not blank
        std::optional<Pos> equals;      // the first "="
        std::optional<Pos> lastBracket; // the last "]"
    };

    // Reads up to and past the next CR or LF.
    Line readLine(Pos& pos) const
    {
        Line line;
        while (!text.atEnd(pos)) {
            const Pos here = pos;
            const char16_t unit = text.next(pos);
            if (isLineEnd(unit))
                break;
            if (isBlank(unit))
                continue;
            if (!line.hasText) {
                line.hasText = true;
                line.first = unit;
                line.begin = here;
            }
            line.end = pos;
            if (unit == u'=' && !line.equals)
                line.equals = here;
            if (unit == u']')
                line.lastBracket = here;
        }
        return line;
    }

    Range trimmed(Range range) const
    {
        Pos pos = range.begin;
        std::optional<Pos> first;
        Pos end = range.begin;
        while (!(pos == range.end)) {
            const Pos here = pos;
            if (isBlank(text.next(pos)))
                continue;
            if (!first)
                first = here;
            end = pos;
        }
        return first ? Range{*first, end} : Range{range.end, range.end};
    }

    // The range without its surrounding blanks, read as a C string, against a name.
    bool equalsName(Range range, std::u16string_view name) const
    {
        range = trimmed(range);
        std::size_t matched = 0;
        for (Pos pos = range.begin; !(pos == range.end);) {
            const char16_t unit = text.next(pos);
            if (unit == u'\0')
                break;
            if (matched == name.size() || foldAscii(unit) != foldAscii(name[matched]))
                return false;
            ++matched;
        }
        return matched == name.size();
    }

    Text text;
    std::u16string_view section;
    std::u16string_view key;
};

std::u16string defaultAnswer(std::u16string_view defaultValue)
{
    defaultValue = defaultValue.substr(0, defaultValue.find(u'\0'));
    // Trailing blanks go, but never the first character.
    while (defaultValue.size() > 1 && defaultValue.back() == u' ')
        defaultValue.remove_suffix(1);
    EntryCopy entry;
    for (char16_t unit : defaultValue)
        entry.add(unit);
    return entry.result();
}

} // namespace

std::u16string iniValueOf(std::string_view fileBytes, std::u16string_view section, std::u16string_view key,
                          std::u16string_view defaultValue)
{
    const Lookup lookup(fileBytes, section, key);
    const std::optional<Range> value = lookup.find();
    if (!value)
        return defaultAnswer(defaultValue);
    EntryCopy entry;
    lookup.copy(*value, entry);
    return entry.result();
}

std::u16string readIniFileValue(const std::filesystem::path& path, std::u16string_view section, std::u16string_view key,
                                std::u16string_view defaultValue)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return defaultAnswer(defaultValue);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return defaultAnswer(defaultValue);
    return iniValueOf(bytes, section, key, defaultValue);
}
