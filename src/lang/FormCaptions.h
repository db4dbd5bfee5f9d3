#pragma once

// The caption tables of the translated windows: which control (by objectName) shows which
// text of the language string table. src/ui applies a table to a window's widgets; a
// window's own objectName stands for its title.

#include <QList>
#include <QString>

struct AppState;

struct Caption
{
    QString objectName;
    QString text;
};
using FormCaptions = QList<Caption>;

// The main window, in the order they are set. The version rows read the stored latest
// versions; the window title, the platform items and the web links stay as designed.
FormCaptions mainWindowCaptions(const AppState& state);

// The options dialog (OptionsDialog), its title included; cmdReset and the tooltip of
// imgAddLanguage stay English.
FormCaptions optionsDialogCaptions(const AppState& state);

// The error dialog (ErrorDialog).
FormCaptions errorDialogCaptions(const AppState& state);

// The tooltip of the options dialog's completion link for a language's display name.
QString completeTranslationTip(const QString& displayName);
