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
FormCaptions FrmMainCaptions(const AppState& state);

// The options dialog (frmOptions), its title included; cmdReset and the tooltip of
// imgAddLanguage stay English.
FormCaptions FrmOptionsCaptions(const AppState& state);

// The error dialog (frmError).
FormCaptions FrmErrorCaptions(const AppState& state);

// The tooltip of the options dialog's completion link for a language's display name.
QString CompleteTranslationTip(const QString& displayName);
