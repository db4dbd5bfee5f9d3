#pragma once

// The language rules that need no Qt, shared with the Windows stage's checks: reading a
// language descriptor, matching the user's language to a key, and the font character
// set of an ANSI code page.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LanguageDescriptor
{
    int codePage = 0;
    unsigned long localeId = 0;
    std::string key;
};

// "0949-&H0412-KOREAN": code page 949, locale identifier 0x412, key "KOREAN". Numbers read
// as far as they go ("&H" marks hexadecimal); nothing when the row has fewer than three fields.
std::optional<LanguageDescriptor> parseLanguageDescriptor(std::string_view row);

// The first row whose key the user's language name begins with, letter case ignored;
// -1 when none does. An empty key matches nothing.
int userLanguageRow(std::string_view userLanguageName, const std::vector<std::string>& keys);

// The Windows font character set of an ANSI code page; 0 (ANSI_CHARSET) for any code page
// without one of its own.
int charsetForCodePage(int codePage);
