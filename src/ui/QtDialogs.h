#pragma once

#include "ui/WindowDialogs.h"

// Dialogs shown with Qt's standard message box, input box and folder picker.
class QtDialogs : public WindowDialogs
{
public:
    Answer messageBox(const MessageRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString browseForFolder(const QString& title) override;
    int showModal(QDialog& dialog) override;
};
