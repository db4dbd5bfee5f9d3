#pragma once

// The two files written for translators: a completion file listing the rows the current
// language lacks, and a new-language file listing every English row.

#include <QString>

struct AppState;
class BuiltinStrings;

struct TranslationFileTimings
{
    int settleMs = 500; // after closing a file, while the window keeps handling events
};

// The durations in force; tests shorten them.
TranslationFileTimings& currentTranslationFileTimings();

// "krvnm_104_spanish.txt" for the language key "SPANISH".
QString completionFileName(const QString& language);
// "krvnm_104_english.txt"; the same name as the English completion file.
QString newLanguageFileName();

// Both write into state.WorkFolder, replacing a file of the same name, and report
// nothing: a failing step is skipped and the following steps still run.
void writeCompletionFile(const AppState& state, const BuiltinStrings& strings);
void writeNewLanguageFile(const AppState& state, const BuiltinStrings& strings);
