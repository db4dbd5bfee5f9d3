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
