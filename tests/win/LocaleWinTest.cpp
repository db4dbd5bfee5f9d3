// The locale layer and the language rules against the Windows API (run under Wine by the
// Windows stage, with the user's locale set through LC_ALL), and the tables that stand in
// for the Windows locale database elsewhere, checked against the same API.
// Usage: LocaleWinTest <language descriptor file> [expected language key] [expected charset]

#include "WinCheck.h"
#include "lang/LanguageRules.h"
#include "sysinfo/LocaleApi.h"
#include "sysinfo/WindowsLocales.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

constexpr int FirstDescriptor = 600;
constexpr int LanguageCount = 11;

std::wstring widen(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring windowsInfo(std::string_view localeName, LCTYPE type)
{
    wchar_t buffer[256] = {};
    const int length = GetLocaleInfoEx(widen(localeName).c_str(), type, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length - 1)) : std::wstring();
}

std::vector<LanguageDescriptor> readDescriptors(const char* path)
{
    std::vector<LanguageDescriptor> descriptors(LanguageCount);
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos || line[0] == '#')
            continue;
        const int id = std::atoi(line.substr(0, tab).c_str());
        if (id >= FirstDescriptor && id < FirstDescriptor + LanguageCount)
            if (auto descriptor = parseLanguageDescriptor(line.substr(tab + 1)))
                descriptors[static_cast<size_t>(id - FirstDescriptor)] = *descriptor;
    }
    return descriptors;
}

// Each interface language: supported, with the code page its descriptor gives, and named
// as the table names it for other systems.
void checkInterfaceLanguages(const std::vector<LanguageDescriptor>& descriptors)
{
    for (const LanguageDescriptor& language : descriptors) {
        WIN_CHECK(!language.key.empty());
        WIN_CHECK(sysapi::isLocaleSupported(language.localeId));
        WIN_CHECK_EQUAL(std::to_wstring(language.codePage),
                        sysapi::localeInfo(language.localeId, sysapi::LocaleDefaultAnsiCodePage));
        WIN_CHECK(!std::wstring(sysapi::languageName(language.localeId).c_str()).empty());
        WIN_CHECK(sysapi::findNamedLocale(language.localeId) != nullptr);
    }
}

// The display names as Windows shows them in English. (Wine's VerLanguageNameW names the
// language alone, "English"; Windows and Wine's locale display name say "English (United
// Kingdom)".)
void checkNamedLocales()
{
    for (const sysapi::NamedLocale& locale : sysapi::namedLocales()) {
        wchar_t buffer[256] = {};
        const int length = GetLocaleInfoW(locale.id, LOCALE_SLOCALIZEDDISPLAYNAME, buffer, 256);
        WIN_CHECK_EQUAL(std::wstring(locale.displayName), std::wstring(buffer, length > 0 ? length - 1 : 0));
        WIN_CHECK_EQUAL(widen(locale.name), windowsInfo(locale.name, LOCALE_SNAME));
        WIN_CHECK_EQUAL(widen(locale.name.substr(0, 2)), windowsInfo(locale.name, LOCALE_SISO639LANGNAME));
    }
}

void checkCodePageTable()
{
    for (const sysapi::AnsiCodePage& entry : sysapi::ansiCodePages())
        WIN_CHECK_EQUAL(std::to_wstring(entry.codePage), windowsInfo(entry.locale, LOCALE_IDEFAULTANSICODEPAGE));
    // Languages Windows writes only in Unicode are left out of the table: both say 0.
    for (const char* unicodeOnly : {"hi", "ka", "hy", "eo"})
        WIN_CHECK_EQUAL(std::to_wstring(sysapi::defaultAnsiCodePage(unicodeOnly, "", "")),
                        windowsInfo(unicodeOnly, LOCALE_IDEFAULTANSICODEPAGE));
}

// The language detected from the user's locale and the font character set of its code page.
void checkUserLocale(const std::vector<LanguageDescriptor>& descriptors, const std::string& expectedKey,
                     int expectedCharset)
{
    const std::wstring name = sysapi::localeInfo(sysapi::LocaleUserDefault, sysapi::LocaleEnglishLanguageName);
    WIN_CHECK(!name.empty());
    std::vector<std::string> keys;
    for (const LanguageDescriptor& language : descriptors)
        keys.push_back(language.key);
    const int row = userLanguageRow(wincheck::narrow(name), keys);
    WIN_CHECK_EQUAL(expectedKey, row >= 0 ? keys[static_cast<size_t>(row)] : std::string("ENGLISH"));
    const std::wstring codePage = sysapi::localeInfo(sysapi::LocaleUserDefault, sysapi::LocaleDefaultAnsiCodePage);
    WIN_CHECK_EQUAL(expectedCharset, charsetForCodePage(std::atoi(wincheck::narrow(codePage).c_str())));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: LocaleWinTest <descriptor file> [key] [charset]\n");
        return 2;
    }
    const std::vector<LanguageDescriptor> descriptors = readDescriptors(argv[1]);
    checkInterfaceLanguages(descriptors);
    checkNamedLocales();
    checkCodePageTable();
    if (argc > 3)
        checkUserLocale(descriptors, argv[2], std::atoi(argv[3]));
    return wincheck::finish();
}
