#pragma once

// Answers the program's message boxes from a script and prints each one: the tour says
// which boxes a stage must show and how each is answered; any other box or window is
// answered safely (Cancel, No, OK) and counted against the stage.

#include "ui/WindowDialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

struct ExpectedBox
{
    QString text; // the box's text starts with it
    MessageIcon icon;
    MessageButtons buttons;
    Answer answer;
};

class TourDialogs : public WindowDialogs
{
public:
    // The boxes the next stage must show, in order; each slot is met by any one of its boxes.
    void expect(std::deque<std::vector<ExpectedBox>> boxes);
    // What went wrong since expect(): unexpected boxes and windows, boxes never shown.
    QStringList problems() const;
    // The boxes shown since expect(), as "text -> answer".
    const QStringList& shown() const { return shownBoxes; }

    Answer messageBox(const MessageRequest& request) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString browseForFolder(const QString& title) override;
    int showModal(QDialog& dialog) override;

private:
    std::deque<std::vector<ExpectedBox>> expected;
    QStringList shownBoxes;
    QStringList unexpected;
};
