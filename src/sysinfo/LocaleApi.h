#pragma once

// Locale facts as Windows gives them: GetLocaleInfo, IsValidLocale and VerLanguageName.
// Elsewhere the same answers come from Qt's system locale and the Windows tables of
// WindowsLocales.h. Standard library only in this header, so the Windows side builds
// without Qt.

#include <string>

namespace sysapi {

inline constexpr unsigned long LocaleUserDefault = 0x400;
inline constexpr unsigned long LocaleEnglishLanguageName = 0x1001; // LOCALE_SENGLANGUAGE
inline constexpr unsigned long LocaleDefaultAnsiCodePage = 0x1004; // LOCALE_IDEFAULTANSICODEPAGE

// One locale text, empty when the system gives none.
std::wstring localeInfo(unsigned long localeId, unsigned long infoType);

// Whether the system supports the locale identifier.
bool isLocaleSupported(unsigned long localeId);

// The name of the locale's language in the system's own language, as the system writes
// it into a buffer: the name ends at the first NUL. Empty when the system gives none.
std::wstring languageName(unsigned long localeId);

} // namespace sysapi
