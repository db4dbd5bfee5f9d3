#include "ui/MainWindowStyle.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>

namespace MainWindowStyle {

QString named(QLatin1StringView name, int index)
{
    return QLatin1String(name) + QString::number(index);
}

QFrame* separatorLine(QWidget* parent, const QString& name, const QColor& colour, int thickness)
{
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFixedHeight(thickness);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    // Versions, dates and status texts come from servers and files: never markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFrame* card(QWidget* parent, QLatin1StringView name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: #ffffff; border: 1px solid #d3d9e1; "
                                        "border-radius: 6px; }")
                             .arg(QLatin1String(name)));
    return frame;
}

QIcon statusIcon(const QString& name)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addFile(QStringLiteral(":/status/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace MainWindowStyle
