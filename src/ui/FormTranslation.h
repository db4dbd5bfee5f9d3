#pragma once

// Translating a window: its caption table (lang/FormCaptions.h) applied to its widgets by
// objectName, and TranslateFrmMain for the main window.

#include "lang/FormCaptions.h"

struct AppState;
class ErrorHandler;
class QWidget;

// Sets each caption on the control of that objectName under window: a button's or label's
// text, a group box's or menu's title, an action's text; the window's own name sets its
// title. Throws Failure at the first objectName that names no such control.
void applyCaptions(QWidget& window, const FormCaptions& captions);

// What TranslateFrmMain needs of the main window; the main window implements it.
class MainWindowLanguageView
{
public:
    virtual ~MainWindowLanguageView() = default;
    // The window whose controls carry the objectNames of mainWindowCaptions (cmdLU, optGet0,
    // lblDate0, lblVersionInfo0, mnuFile, mnuOpen, ...).
    virtual QWidget& captionWindow() = 0;
    // readGameVersion(false): identifies the installed version again, so the version label
    // and the status icons show the new language.
    virtual void identifyInstalledVersion() = 0;
    // SetStatusBar: an empty text shows the default text in the current language.
    virtual void setStatusBar(const QString& text) = 0;
};

// translateMainWindow(atStartUp): the captions of FrmMainCaptions, then, after a language
// change (atStartUp false), the installed version identified again, then the default
// status text. A failing step is skipped; a pending failure goes to
// handleError("TranslateFrmMain") at the end.
void translateMainWindow(bool atStartUp, MainWindowLanguageView& window, const AppState& state, ErrorHandler& errors);
