#include "lang/LanguageStrings.h"

#include "app/AppState.h"
#include "lang/BuiltinStrings.h"

bool loadLanguageStrings(AppState& state, const BuiltinStrings& strings)
{
    bool complete = true;
    const int k = state.languageIndex;
    for (int n = 1; n <= AppState::LanguageStringCount; ++n) {
        auto text = strings.lookup(BuiltinStrings::rowId(k, n));
        if (!text) {
            text = strings.lookup(n);
            // Rows are numbered in blocks; one English lacks too is not in use yet.
            complete = complete && !text;
        }
        if (text)
            state.languageStrings[static_cast<size_t>(n)] = *text;
    }
    return complete;
}
