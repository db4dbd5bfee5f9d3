#include "TourDialogs.h"

#include <QDialog>

#include <cstdio>

namespace {

QString answerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Retry:
        return QStringLiteral("Retry");
    case Answer::Abort:
        return QStringLiteral("Abort");
    case Answer::Ignore:
        return QStringLiteral("Ignore");
    }
    return {};
}

// The answer that changes least: Cancel or No where offered, else the only button.
Answer safeAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return Answer::Ok;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::AbortRetryIgnore:
        return Answer::Abort;
    default:
        return Answer::Cancel;
    }
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void print(const QString& line)
{
    std::printf("    %s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

void TourDialogs::expect(std::deque<std::vector<ExpectedBox>> boxes)
{
    expected = std::move(boxes);
    shownBoxes.clear();
    unexpected.clear();
}

QStringList TourDialogs::problems() const
{
    QStringList all = unexpected;
    for (const std::vector<ExpectedBox>& slot : expected)
        all << QStringLiteral("never asked \"%1\"").arg(oneLine(slot.empty() ? QString() : slot.front().text));
    return all;
}

Answer TourDialogs::messageBox(const MessageRequest& request)
{
    const ExpectedBox* fit = nullptr;
    if (!expected.empty() && request.title == MessageRequest::productName())
        for (const ExpectedBox& box : expected.front())
            if (!fit && request.text.startsWith(box.text) && request.icon == box.icon && request.buttons == box.buttons)
                fit = &box;
    Answer answer = safeAnswer(request.buttons);
    if (fit) {
        answer = fit->answer;
        expected.pop_front();
    } else {
        unexpected << QStringLiteral("unexpected box \"%1\"").arg(oneLine(request.text));
    }
    const QString line = QStringLiteral("box \"%1\" -> %2").arg(oneLine(request.text), answerName(answer));
    shownBoxes << line;
    print(line);
    return answer;
}

std::optional<QString> TourDialogs::inputBox(const QString& prompt, const QString&, const QString&)
{
    unexpected << QStringLiteral("unexpected input box \"%1\"").arg(prompt);
    print(unexpected.last());
    return std::nullopt;
}

QString TourDialogs::browseForFolder(const QString& title)
{
    unexpected << QStringLiteral("unexpected folder choice \"%1\"").arg(title);
    print(unexpected.last());
    return {};
}

int TourDialogs::showModal(QDialog& dialog)
{
    // The error dialog among them: any window is a stage that did not go as it should.
    unexpected << QStringLiteral("unexpected window %1 \"%2\"").arg(dialog.objectName(), dialog.windowTitle());
    print(unexpected.last());
    return QDialog::Rejected;
}
