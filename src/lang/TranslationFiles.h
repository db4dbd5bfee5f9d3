#pragma once

// The two files written for translators: a completion file listing the rows the current
// language lacks, and a new-language file listing every English row.

#include <QString>

struct AppState;
class BuiltinStrings;

// "krvnm_104_spanish.txt" for the language key "SPANISH".
QString completionFileName(const QString& language);
// "krvnm_104_english.txt"; the same name as the English completion file.
QString newLanguageFileName();

// Both write into state.WorkFolder, replacing a file of the same name, and report
// nothing: a failing step is skipped and the following steps still run. Afterwards they
// wait settleMs (Timings::translationFileSettleMs) while the window keeps handling events.
void writeCompletionFile(const AppState& state, const BuiltinStrings& strings, int settleMs);
void writeNewLanguageFile(const AppState& state, const BuiltinStrings& strings, int settleMs);
