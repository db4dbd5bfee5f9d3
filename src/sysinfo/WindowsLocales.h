#pragma once

// What Windows answers about locales, as tables, for the systems that have no Windows
// locale database: the display names of the locale identifiers this program names, and
// the default ANSI code page of each language. The Windows stage checks both tables
// against the Windows API.

#include <span>
#include <string_view>

namespace sysapi {

struct NamedLocale
{
    unsigned long id;
    std::string_view name;         // "en-GB"
    std::wstring_view displayName; // as Windows shows it in English: "English (United Kingdom)"
};

// The locales of the interface languages and US English, the stand-in for a locale
// that names no language.
std::span<const NamedLocale> namedLocales();
const NamedLocale* findNamedLocale(unsigned long id);

struct AnsiCodePage
{
    std::string_view locale; // a language, or a language with its script or territory: "zh-Hant", "zh-TW"
    unsigned codePage;
};

// Every language whose locales have an ANSI code page; the languages that Windows
// writes only in Unicode are not listed.
std::span<const AnsiCodePage> ansiCodePages();

// The default ANSI code page of a locale given by its parts ("zh", "Hant", "TW"; script
// and territory may be empty); 0 when the language has none.
unsigned defaultAnsiCodePage(std::string_view language, std::string_view script, std::string_view territory);

} // namespace sysapi
