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
TranslationFileTimings& CurrentTranslationFileTimings();

// "krvnm_104_spanish.txt" for the language key "SPANISH".
QString CompletionFileName(const QString& language);
// "krvnm_104_english.txt"; the same name as the English completion file.
QString NewLanguageFileName();

// Both write into state.WorkFolder, replacing a file of the same name, and report
// nothing: a failing step is skipped and the following steps still run.
void WriteCompletionFile(const AppState& state, const BuiltinStrings& strings);
void WriteNewLanguageFile(const AppState& state, const BuiltinStrings& strings);
