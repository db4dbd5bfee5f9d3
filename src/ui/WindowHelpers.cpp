#include "ui/WindowHelpers.h"

#include <QIcon>
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
