#include "sysinfo/LocaleApi.h"

#include <windows.h>

namespace sysapi {

namespace {

constexpr int InfoBufferLength = 256;
constexpr DWORD NameBufferLength = 255;

} // namespace

std::wstring localeInfo(unsigned long localeId, unsigned long infoType)
{
    std::wstring buffer(InfoBufferLength, L'\0');
    const int length = GetLocaleInfoW(localeId, infoType, buffer.data(), InfoBufferLength);
    if (length < 1)
        return {};
    buffer.resize(static_cast<size_t>(length - 1)); // the count includes the closing NUL
    return buffer;
}

bool isLocaleSupported(unsigned long localeId)
{
    return IsValidLocale(localeId, LCID_SUPPORTED) != FALSE;
}

std::wstring languageName(unsigned long localeId)
{
    std::wstring buffer(NameBufferLength, L'\0');
    if (VerLanguageNameW(localeId, buffer.data(), NameBufferLength) < 1)
        return {};
    return buffer;
}

} // namespace sysapi
