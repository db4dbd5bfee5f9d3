#include "lang/LanguageRules.h"

#include <array>
#include <cctype>
#include <utility>

namespace {

unsigned long leadingNumber(std::string_view text)
{
    int base = 10;
    if (text.size() >= 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        base = 16;
        text.remove_prefix(2);
    }
    unsigned long value = 0;
    for (char c : text) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::toupper(static_cast<unsigned char>(c)) - 'A' + 10
                              : -1;
        if (digit < 0 || value > 0xFFFFFFFFul / 16)
            break;
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
    }
    return value;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

constexpr std::array<std::pair<int, int>, 15> Charsets = {{
    {874, 222},  // THAI_CHARSET
    {932, 128},  // SHIFTJIS_CHARSET
    {936, 134},  // GB2312_CHARSET
    {949, 129},  // HANGUL_CHARSET
    {950, 136},  // CHINESEBIG5_CHARSET
    {1250, 238}, // EASTEUROPE_CHARSET
    {1251, 204}, // RUSSIAN_CHARSET
    {1252, 0},   // ANSI_CHARSET
    {1253, 161}, // GREEK_CHARSET
    {1254, 162}, // TURKISH_CHARSET
    {1255, 177}, // HEBREW_CHARSET
    {1256, 178}, // ARABIC_CHARSET
    {1257, 186}, // BALTIC_CHARSET
    {1258, 163}, // VIETNAMESE_CHARSET
    {1361, 130}, // JOHAB_CHARSET
}};

} // namespace

std::optional<LanguageDescriptor> parseLanguageDescriptor(std::string_view row)
{
    const size_t first = row.find('-');
    if (first == std::string_view::npos)
        return std::nullopt;
    const size_t second = row.find('-', first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = row.substr(second + 1);
    LanguageDescriptor descriptor;
    descriptor.codePage = static_cast<int>(leadingNumber(row.substr(0, first)) & 0x7FFFFFFF);
    descriptor.localeId = leadingNumber(row.substr(first + 1, second - first - 1));
    descriptor.key = std::string(key.substr(0, key.find('-')));
    return descriptor;
}

int userLanguageRow(std::string_view userLanguageName, const std::vector<std::string>& keys)
{
    for (size_t k = 0; k < keys.size(); ++k)
        if (!keys[k].empty() && startsWithIgnoringCase(userLanguageName, keys[k]))
            return static_cast<int>(k);
    return -1;
}

int charsetForCodePage(int codePage)
{
    for (const auto& [page, charset] : Charsets)
        if (page == codePage)
            return charset;
    return 0;
}
