#include "ui/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    case Answer::Abort:
        return QMessageBox::Abort;
    case Answer::Ignore:
        return QMessageBox::Ignore;
    }
    return QMessageBox::Ok;
}

QList<Answer> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return {Answer::Ok};
    case MessageButtons::OkCancel:
        return {Answer::Ok, Answer::Cancel};
    case MessageButtons::YesNo:
        return {Answer::Yes, Answer::No};
    case MessageButtons::YesNoCancel:
        return {Answer::Yes, Answer::No, Answer::Cancel};
    case MessageButtons::RetryCancel:
        return {Answer::Retry, Answer::Cancel};
    case MessageButtons::AbortRetryIgnore:
        return {Answer::Abort, Answer::Retry, Answer::Ignore};
    }
    return {Answer::Ok};
}

Answer messageBoxAnswer(const MessageRequest& request, int clicked)
{
    for (Answer answer : buttonsOf(request.buttons))
        if (toQt(answer) == clicked)
            return answer;
    // Closing the box without a button counts as its cancel button, else its last one.
    const QList<Answer> buttons = buttonsOf(request.buttons);
    return buttons.contains(Answer::Cancel) ? Answer::Cancel : buttons.last();
}

} // namespace

Answer QtDialogs::messageBox(const MessageRequest& request)
{
    QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Texts may carry what a server answered; a link or markup there stays literal.
    box.setTextFormat(Qt::PlainText);
    const QList<Answer> buttons = buttonsOf(request.buttons);
    for (Answer answer : buttons)
        box.addButton(toQt(answer));
    box.setDefaultButton(toQt(request.defaultButton.value_or(buttons.first())));
    return messageBoxAnswer(request, box.exec());
}

std::optional<QString> QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtDialogs::browseForFolder(const QString& title)
{
    return QFileDialog::getExistingDirectory(QApplication::activeWindow(), title,
                                             QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

int QtDialogs::showModal(QDialog& dialog)
{
    return dialog.exec();
}
