#pragma once

// A stand-in for the main window in the language tests: its translated controls under the
// main window's objectNames (cmdLU, optGet0, lblDate0, mnuFile, mnuOpen, ...), one web
// link and one platform item that stay English, and a record of what TranslateFrmMain
// asked of it.

#include "ui/FormTranslation.h"

#include <QMainWindow>
#include <QStringList>

class MainWindowStandIn : public QMainWindow, public MainWindowLanguageView
{
public:
    // Without the control named leftOut, to see a missing one reported.
    explicit MainWindowStandIn(const QString& leftOut = {});

    QWidget& captionWindow() override { return *this; }
    void identifyInstalledVersion() override { ++identifications; }
    void SetStatusBar(const QString& text) override { statusTexts << text; }

    // The caption of the control of that objectName: text or title.
    QString caption(const QString& objectName) const;

    int identifications = 0;
    QStringList statusTexts;
};
