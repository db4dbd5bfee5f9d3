#pragma once

// The main window's look, shared by its panels: card frames, etched lines, labels.

#include <QColor>
#include <QString>

class QFrame;
class QIcon;
class QLabel;
class QWidget;

namespace MainWindowStyle {

inline const QColor WindowBackground(0xee, 0xf1, 0xf5);
inline const QColor LinkColour(0x1a, 0x62, 0xc6);
inline const QColor SeparatorColour(0xdc, 0xe1, 0xe8);
inline constexpr int StatusIconSize = 16;

// name + index, the object name of a control array's element ("optGet" 2 -> "optGet2").
QString named(QLatin1StringView name, int index);
// A filled line of the given thickness.
QFrame* separatorLine(QWidget* parent, const QString& name, const QColor& colour, int thickness = 1);
QLabel* label(QWidget* parent, const QString& name, const QString& caption = {});
// A white frame with a rounded border.
QFrame* card(QWidget* parent, QLatin1StringView name);
// A row status icon (":/status/<name>-16.png" and -32).
QIcon statusIcon(const QString& name);

} // namespace MainWindowStyle
