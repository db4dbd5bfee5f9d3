#include "lang/LanguageStrings.h"

#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

bool LoadLanguageStrings(AppState& state, const BuiltinStrings& strings)
{
    bool complete = true;
    const int k = state.LanguageIndex;
    for (int n = 1; n <= AppState::LanguageStringCount; ++n) {
        auto text = strings.lookup(BuiltinStrings::RowId(k, n));
        if (!text) {
            complete = false;
            text = strings.lookup(n);
        }
        if (text)
            state.LanguageStrings[static_cast<size_t>(n)] = *text;
    }
    return complete;
}

int LanguageIndexForKey(const QString& language, const QStringList& keys)
{
    int index = 0;
    for (int k = 0; k < keys.size(); ++k)
        if (keys.at(k).contains(language))
            index = k;
    return index;
}

QStringList LanguageKeys(const BuiltinStrings& strings)
{
    QStringList keys;
    for (int k = 0; k < BuiltinStrings::LanguageCount; ++k)
        keys << strings.lookup(BuiltinStrings::DescriptorBase + k).value_or(QString()).section(QLatin1Char('-'), 2);
    return keys;
}

void SelectLanguage(AppState& state, const BuiltinStrings& strings)
{
    if (state.Language == QLatin1String("---")) {
        state.LanguageIndex = 0; // English until the user's locale is consulted
        return;
    }
    state.LanguageIndex = static_cast<std::uint8_t>(LanguageIndexForKey(state.Language, LanguageKeys(strings)));
}
