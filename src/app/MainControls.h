#pragma once

// The main window's two shared procedures that every long operation uses: the switch
// between idle and busy, and the status bar. MainCommands implements them.

#include <QString>

class MainControls
{
public:
    virtual ~MainControls() = default;

    // Idle (true): the commands are enabled again; busy (false): they are disabled.
    // Handles the input queued meanwhile, so a command may run before this returns.
    virtual void enableControls(bool idle) = 0;
    // Idle: the text, or the default text when empty. Busy: always the newest status line.
    virtual void setStatusBar(const QString& text = {}) = 0;
};
