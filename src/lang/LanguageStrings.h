#pragma once

// The language string table of the current language (AppState::LanguageStrings).

struct AppState;
class BuiltinStrings;

// Fills slots 1 to 88 for LanguageIndex; a row the language lacks comes from English.
// True when every row came from the language itself.
bool loadLanguageStrings(AppState& state, const BuiltinStrings& strings);
