#include "ui/WindowHelpers.h"

#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {

const QIcon& programIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 32, 48, 256})
            sizes.addFile(QStringLiteral(":/icons/krvnm-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}

} // namespace

bool drawProgramIcon(QPainter& painter, int index, int x, int y)
{
    if (index != 0 || programIcon().isNull())
        return false;
    programIcon().paint(&painter, QRect(x, y, ProgramIconSize, ProgramIconSize));
    return true;
}

void dragWindow(QWidget* widget)
{
    if (!widget)
        return;
    if (QWindow* window = widget->window()->windowHandle())
        window->startSystemMove();
}

void makeKeyboardLink(QWidget* label)
{
    label->setFocusPolicy(Qt::StrongFocus);
    // The frame is always there, invisible without the focus, so the text never moves.
    label->setStyleSheet(QStringLiteral("QLabel { border: 1px dotted transparent; padding: 1px; }"
                                        "QLabel:focus { border-color: palette(window-text); }"));
}

bool isActivationKey(const QKeyEvent& event)
{
    const int key = event.key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}
