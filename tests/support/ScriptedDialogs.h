#pragma once

#include "ui/WindowDialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <functional>

// Answers every dialog from answers queued in advance and records what was asked.
// An unexpected message box fails loudly rather than blocking the test.
class ScriptedDialogs : public WindowDialogs
{
public:
    Answer messageBox(const MessageRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString browseForFolder(const QString& title) override;
    int showModal(QDialog& dialog) override;

    QQueue<Answer> answers;                // message box answers; default: the default button
    QQueue<std::optional<QString>> inputs; // input box answers; default: cancelled
    QQueue<QString> folders;               // folder picker answers; default: cancelled
    QList<MessageRequest> messages;
    QStringList folderTitles;
    QStringList inputPrompts;
    QStringList inputTitles;
    QList<QDialog*> shownDialogs;
    // Called while a modal window is "shown", so a test can drive it; without it, 0.
    std::function<int(QDialog&)> onModal;
};

// Message boxes compare whole, and a failed QCOMPARE prints every field of both.
bool operator==(const MessageRequest& a, const MessageRequest& b);
char* toString(const MessageRequest& request);
