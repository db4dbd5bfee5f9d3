#pragma once

// Window helpers shared by the main window, the about box, the options and error dialogs.

class QKeyEvent;
class QPainter;
class QWidget;

// Size of the program's icon as the system draws it, in device-independent pixels.
inline constexpr int ProgramIconSize = 32;

// DrawProgramIcon: draws icon number index of the program (it has one, number 0) at x, y;
// false when there is no such icon.
bool drawProgramIcon(QPainter& painter, int index, int x, int y);

// DragWindow: lets the user move the window that holds widget by dragging it with the
// mouse button held down; call it on a mouse press.
void dragWindow(QWidget* widget);

// Lets a label that acts on a click (a link, a picture) take the focus with Tab and show
// it with a dotted frame; its owner acts on isActivationKey as on the click.
void makeKeyboardLink(QWidget* label);
// Enter, Return or Space without modifiers: what presses a focused button.
bool isActivationKey(const QKeyEvent& event);
