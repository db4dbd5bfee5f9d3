#pragma once

// What the extraction tests share: the English language table, and dialogs that let a
// test act at the moment the password is asked.

#include "ScriptedDialogs.h"
#include "app/AppState.h"
#include "lang/BuiltinStrings.h"
#include "lang/LanguageStrings.h"

#include <functional>

inline void LoadEnglish(AppState& state)
{
    state.LanguageIndex = 0;
    LoadLanguageStrings(state, BuiltinStrings::Compiled());
}

class PromptingDialogs : public ScriptedDialogs
{
public:
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        titles.append(title);
        if (onInput)
            onInput();
        return ScriptedDialogs::inputBox(prompt, title, defaultText);
    }
    QStringList titles;
    std::function<void()> onInput;
};

inline const QString PasswordPrompt = QStringLiteral("Please Enter The Password.");
