#include "CaptionFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTest>
#include <QTextLayout>

namespace {

QString Describe(const QWidget& widget, const QString& text, QSize needed)
{
    return QStringLiteral("%1 (%2) \"%3\" needs %4x%5, has %6x%7")
        .arg(widget.objectName(), QLatin1String(widget.metaObject()->className()), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(widget.width())
        .arg(widget.height());
}

bool Fits(QSize needed, QSize given)
{
    return needed.width() <= given.width() && needed.height() <= given.height();
}

// The widest line of the text broken at the label's width: a line wider than that is a
// word that cannot be broken.
int WidestWrappedLine(const QLabel& label, int width)
{
    QTextLayout layout(label.text(), label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        widest = qMax(widest, qCeil(line.naturalTextWidth()));
    }
    layout.endLayout();
    return widest;
}

std::optional<QString> CutLabel(const QLabel& label)
{
    if (label.text().isEmpty())
        return std::nullopt;
    if (!label.wordWrap()) {
        const QSize needed = label.sizeHint();
        return Fits(needed, label.size()) ? std::nullopt : std::optional(Describe(label, label.text(), needed));
    }
    const int textWidth = label.contentsRect().width() - 2 * label.margin();
    const QSize needed(WidestWrappedLine(label, textWidth) + label.width() - textWidth,
                       label.heightForWidth(label.width()));
    return Fits(needed, label.size()) ? std::nullopt : std::optional(Describe(label, label.text(), needed));
}

std::optional<QString> CutButton(const QAbstractButton& button)
{
    if (button.text().isEmpty())
        return std::nullopt;
    const QSize needed = button.sizeHint();
    return Fits(needed, button.size()) ? std::nullopt : std::optional(Describe(button, button.text(), needed));
}

std::optional<QString> CutGroup(const QGroupBox& group)
{
    if (group.title().isEmpty())
        return std::nullopt;
    const QSize needed = group.minimumSizeHint();
    return Fits(needed, group.size()) ? std::nullopt : std::optional(Describe(group, group.title(), needed));
}

} // namespace

QStringList CutCaptions(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {QStringLiteral("%1 was not shown").arg(window.objectName())};
    if (window.layout())
        window.layout()->activate();
    QCoreApplication::processEvents();

    QStringList cut;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        std::optional<QString> problem;
        if (auto* label = qobject_cast<QLabel*>(widget))
            problem = CutLabel(*label);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            problem = CutButton(*button);
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            problem = CutGroup(*group);
        if (problem)
            cut << *problem;
    }
    return cut;
}
