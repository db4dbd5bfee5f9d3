#pragma once

// The language string table of the current language (AppState::LanguageStrings).

#include <QStringList>

struct AppState;
class BuiltinStrings;

// Fills slots 1 to 88 for LanguageIndex; a row the language lacks comes from English.
// True when every row came from the language itself.
bool LoadLanguageStrings(AppState& state, const BuiltinStrings& strings);

// The last language whose key contains the stored Language text; 0 (English) when none.
int LanguageIndexForKey(const QString& language, const QStringList& keys);
// The language keys of the built-in descriptors, in language order.
QStringList LanguageKeys(const BuiltinStrings& strings);
// Chooses LanguageIndex from the stored Language.
void SelectLanguage(AppState& state, const BuiltinStrings& strings);
