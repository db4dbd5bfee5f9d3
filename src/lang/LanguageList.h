#pragma once

// The language list (AppState::Languages): one row per built-in interface language, with
// the name the system gives its locale.

#include <QStringList>

struct AppState;
class BuiltinStrings;
class Platform;

// BuildLanguageList: fills rows 0 to 10 from the descriptor rows 600 to 610. A row that
// cannot be read is skipped; nothing is reported.
void buildLanguageList(AppState& state, const BuiltinStrings& strings, Platform& platform);

// The text before the first NUL; the whole text when it holds none.
QString cutAtNul(const QString& text);

// The key as a name: first letter upper case, the rest lower case ("Portuguese_br").
QString properCase(const QString& key);

// The position (0 to 10) of the entry that equals the display name of row k (0 to 11);
// 0 when none does. Throws Failure for a row outside the list.
int findLanguageListIndex(const AppState& state, int k, const QStringList& entries);
