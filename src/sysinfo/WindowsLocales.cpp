#include "sysinfo/WindowsLocales.h"

#include <array>
#include <string>

namespace sysapi {

namespace {

constexpr std::array<NamedLocale, 12> Named = {{
    {0x0409, "en-US", L"English (United States)"},
    {0x0809, "en-GB", L"English (United Kingdom)"},
    {0x0C0A, "es-ES", L"Spanish (Spain)"},
    {0x0416, "pt-BR", L"Portuguese (Brazil)"},
    {0x040C, "fr-FR", L"French (France)"},
    {0x0415, "pl-PL", L"Polish (Poland)"},
    {0x041B, "sk-SK", L"Slovak (Slovakia)"},
    {0x0412, "ko-KR", L"Korean (Korea)"},
    {0x0804, "zh-CN", L"Chinese (Simplified, China)"},
    {0x0404, "zh-TW", L"Chinese (Traditional, Taiwan)"},
    {0x0413, "nl-NL", L"Dutch (Netherlands)"},
    {0x0425, "et-EE", L"Estonian (Estonia)"},
}};

// A script or territory entry comes before its language's own entry.
constexpr std::array<AnsiCodePage, 90> CodePages = {{
    {"th", 874},  {"ja", 932},  {"zh-Hant", 950},  {"zh-TW", 950}, {"zh-HK", 950},    {"zh-MO", 950}, {"zh", 936},
    {"ko", 949},  {"cs", 1250}, {"hu", 1250},      {"pl", 1250},   {"ro", 1250},      {"sk", 1250},   {"sl", 1250},
    {"hr", 1250}, {"sq", 1250}, {"bs-Cyrl", 1251}, {"bs", 1250},   {"sr-Cyrl", 1251}, {"sr", 1250},   {"tk", 1250},
    {"ru", 1251}, {"uk", 1251}, {"be", 1251},      {"bg", 1251},   {"mk", 1251},      {"ky", 1251},   {"mn", 1251},
    {"tt", 1251}, {"ba", 1251}, {"tg", 1251},      {"sah", 1251},  {"az-Cyrl", 1251}, {"az", 1254},   {"uz-Cyrl", 1251},
    {"uz", 1254}, {"tr", 1254}, {"en", 1252},      {"es", 1252},   {"pt", 1252},      {"fr", 1252},   {"de", 1252},
    {"it", 1252}, {"nl", 1252}, {"da", 1252},      {"sv", 1252},   {"nb", 1252},      {"nn", 1252},   {"fi", 1252},
    {"is", 1252}, {"ga", 1252}, {"ca", 1252},      {"eu", 1252},   {"gl", 1252},      {"af", 1252},   {"id", 1252},
    {"ms", 1252}, {"sw", 1252}, {"fy", 1252},      {"lb", 1252},   {"fo", 1252},      {"rm", 1252},   {"br", 1252},
    {"co", 1252}, {"oc", 1252}, {"cy", 1252},      {"gd", 1252},   {"se", 1252},      {"ha", 1252},   {"yo", 1252},
    {"zu", 1252}, {"xh", 1252}, {"fil", 1252},     {"hsb", 1252},  {"dsb", 1252},     {"el", 1253},   {"he", 1255},
    {"ar", 1256}, {"fa", 1256}, {"ur", 1256},      {"ckb", 1256},  {"ug", 1256},      {"et", 1257},   {"lv", 1257},
    {"lt", 1257}, {"vi", 1258}, {"nso", 1252},     {"tn", 1252},   {"wo", 1252},      {"quz", 1252},
}};

unsigned find(std::string_view locale)
{
    for (const AnsiCodePage& entry : CodePages)
        if (entry.locale == locale)
            return entry.codePage;
    return 0;
}

} // namespace

std::span<const NamedLocale> namedLocales()
{
    return Named;
}

const NamedLocale* findNamedLocale(unsigned long id)
{
    for (const NamedLocale& locale : Named)
        if (locale.id == id)
            return &locale;
    return nullptr;
}

std::span<const AnsiCodePage> ansiCodePages()
{
    return CodePages;
}

unsigned defaultAnsiCodePage(std::string_view language, std::string_view script, std::string_view territory)
{
    const std::string base(language);
    for (std::string_view detail : {script, territory}) {
        if (detail.empty())
            continue;
        if (const unsigned codePage = find(base + '-' + std::string(detail)))
            return codePage;
    }
    return find(base);
}

} // namespace sysapi
