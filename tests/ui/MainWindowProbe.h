#pragma once

// The real main window, built over fakes, as the language view TranslateFrmMain and the
// options dialog talk to; it records what they ask of the window.

#include "AppFixture.h"
#include "lang/BuiltinStrings.h"
#include "ui/FormTranslation.h"

#include <QMenu>

// Row n of language k in the built-in table.
inline QString languageRow(int k, int n)
{
    return BuiltinStrings::compiled().lookup(BuiltinStrings::rowId(k, n)).value();
}

struct MainWindowProbe : MainWindowLanguageView
{
    QWidget& captionWindow() override { return window; }
    void identifyInstalledVersion() override { ++identifications; }
    void setStatusBar(const QString& text) override { statusTexts << text; }

    // The text or title of the control of that objectName.
    QString caption(const QString& name) const
    {
        QObject* control = window.findChild<QObject*>(name);
        if (!control)
            return QStringLiteral("<no control %1>").arg(name);
        return control->property(qobject_cast<QMenu*>(control) ? "title" : "text").toString();
    }

    QStringList captions(const QStringList& names) const
    {
        QStringList texts;
        for (const QString& name : names)
            texts << caption(name);
        return texts;
    }

    AppFixture app;
    MainWindow& window = app.startWindow();
    int identifications = 0;
    QStringList statusTexts;
};
