#include "CaptionFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTest>

namespace {

// The room a label needs: its size hint, or with word wrap the text broken at the label's
// width (a word wider than that cannot be broken) and its height at its own width.
QSize neededBy(const QLabel& label)
{
    if (!label.wordWrap())
        return label.sizeHint();
    const int textWidth = label.contentsRect().width() - 2 * label.margin();
    const QRect text =
        label.fontMetrics().boundingRect(QRect(0, 0, textWidth, QWIDGETSIZE_MAX), Qt::TextWordWrap, label.text());
    return {text.width() + label.width() - textWidth, label.heightForWidth(label.width())};
}

// What is wrong with the widget's caption; nothing for a widget without one.
std::optional<QString> cutCaption(const QWidget& widget)
{
    QString text;
    QSize needed;
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        text = label->text();
        needed = neededBy(*label);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        text = button->text();
        needed = button->sizeHint();
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        text = group->title();
        needed = group->minimumSizeHint();
    }
    if (text.isEmpty() || (needed.width() <= widget.width() && needed.height() <= widget.height()))
        return std::nullopt;
    QString problem;
    QDebug(&problem) << widget.objectName() << widget.metaObject()->className() << text << "needs" << needed << "has"
                     << widget.size();
    return problem;
}

} // namespace

QStringList cutCaptions(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return {QStringLiteral("%1 was not shown").arg(window.objectName())};
    if (window.layout())
        window.layout()->activate();
    QCoreApplication::processEvents();

    QStringList cut;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (const std::optional<QString> problem = cutCaption(*widget); problem && widget->isVisibleTo(&window))
            cut << *problem;
    return cut;
}
