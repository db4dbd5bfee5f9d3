#pragma once

// Every modal interaction goes through this interface, so tests can answer it and
// check exactly what was asked.

#include <QString>

#include <optional>

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Critical,
    Question
};

enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
    RetryCancel,
    AbortRetryIgnore
};

enum class Answer
{
    Ok,
    Cancel,
    Yes,
    No,
    Retry,
    Abort,
    Ignore
};

struct MessageRequest
{
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    std::optional<Answer> defaultButton; // the first button when not given
    QString title = productName();

    static QString productName() { return QStringLiteral("Korvane Manager"); }
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual Answer messageBox(const MessageRequest& request) = 0;
    // The one-call form: a message box titled with the product name.
    Answer message(const QString& text, MessageIcon icon, MessageButtons buttons = MessageButtons::Ok,
                   std::optional<Answer> defaultButton = {})
    {
        return messageBox(MessageRequest{text, icon, buttons, defaultButton});
    }
    // The entered text, or nothing when the user cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // The chosen folder, or an empty text when the user cancelled; the active window owns the picker.
    virtual QString browseForFolder(const QString& title) = 0;
};
