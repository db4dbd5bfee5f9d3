#pragma once

#include "app/Dialogs.h"

// Dialogs shown with Qt's standard message box, input box and folder picker.
class QtDialogs : public Dialogs
{
public:
    Answer messageBox(const MessageRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString browseForFolder(QWidget* parent, const QString& title) override;
    int showModal(QDialog& dialog) override;
};
