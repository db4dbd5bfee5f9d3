#pragma once

// The caption check: shows the window at its own size and lists every caption that is cut,
// that is every visible label, button (push, option, check) and group box whose text needs
// more room than the window gives it. An empty list means every caption fits.

#include <QStringList>

class QWidget;

QStringList cutCaptions(QWidget& window);
