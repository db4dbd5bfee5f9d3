#pragma once

// The Dialogs seam as the windows see it: besides message boxes, input boxes and the
// folder picker, showing a window modally, so tests can answer windows too.

#include "app/Dialogs.h"

class QDialog;

class WindowDialogs : public Dialogs
{
public:
    // Shows a window modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;
};
