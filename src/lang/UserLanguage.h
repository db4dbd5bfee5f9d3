#pragma once

// The user's locale: its character set, its language, and the interface language chosen
// at start-up from the stored key or, when none is stored, from that language.

#include <QString>

struct AppState;
class BuiltinStrings;
class Platform;

// One locale text from the system; empty when it gives none.
QString getLocaleText(Platform& platform, quint32 localeId, quint32 infoType);

// The Windows font character set of the locale's default ANSI code page (1251 gives 204,
// 1252 and every unlisted code page 0). Nothing is reported.
qint16 getLocaleCharset(Platform& platform, quint32 localeId);

// Sets Language and LanguageIndex to the first row whose key the user's language name
// begins with, else to defaultKey and its row. Nothing is reported.
void detectUserLanguage(AppState& state, Platform& platform, const QString& defaultKey);

// Start-up, before the settings are loaded: FontCharset from the user's locale, then the
// language list.
void readUserLocale(AppState& state, const BuiltinStrings& strings, Platform& platform);

// Start-up, after the settings are loaded: the stored Language "---" (or an empty one)
// detects the user's language; any other selects the last row whose key contains it,
// keeping the stored text in Language (row 0, English, when no key does).
void selectLanguage(AppState& state, Platform& platform);
