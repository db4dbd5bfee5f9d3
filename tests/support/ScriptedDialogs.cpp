#include "ScriptedDialogs.h"

#include <QDialog>

Answer ScriptedDialogs::messageBox(const MessageRequest& request)
{
    messages.append(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    if (request.defaultButton)
        return *request.defaultButton;
    switch (request.buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return Answer::Yes;
    case MessageButtons::RetryCancel:
        return Answer::Retry;
    case MessageButtons::AbortRetryIgnore:
        return Answer::Abort;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString&)
{
    inputPrompts.append(prompt);
    inputTitles.append(title);
    return inputs.isEmpty() ? std::nullopt : inputs.dequeue();
}

QString ScriptedDialogs::browseForFolder(const QString& title)
{
    folderTitles.append(title);
    return folders.isEmpty() ? QString() : folders.dequeue();
}

int ScriptedDialogs::showModal(QDialog& dialog)
{
    shownDialogs.append(&dialog);
    return onModal ? onModal(dialog) : 0;
}

bool operator==(const MessageRequest& a, const MessageRequest& b)
{
    return a.text == b.text && a.icon == b.icon && a.buttons == b.buttons && a.defaultButton == b.defaultButton &&
           a.title == b.title;
}

char* toString(const MessageRequest& request)
{
    const QString defaultButton =
        request.defaultButton ? QString::number(int(*request.defaultButton)) : QStringLiteral("first");
    return qstrdup(qPrintable(QStringLiteral("\"%1\" (icon %2, buttons %3, default %4, title \"%5\")")
                                  .arg(request.text, QString::number(int(request.icon)),
                                       QString::number(int(request.buttons)), defaultButton, request.title)));
}
