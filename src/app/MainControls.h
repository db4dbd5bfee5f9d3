#pragma once

// The main window's two shared procedures that every long operation uses: the switch
// between idle and busy, the status bar, and the Cancel button's request for the job the
// window is busy with. MainCommands implements them.

#include <QString>

#include <stop_token>

class MainControls
{
public:
    virtual ~MainControls() = default;

    // Idle (true): the commands are enabled again; busy (false): they are disabled.
    // Handles the input queued meanwhile, so a command may run before this returns.
    virtual void enableControls(bool idle) = 0;
    // Idle: the text, or the default text when empty. Busy: always the newest status line.
    virtual void setStatusBar(const QString& text = {}) = 0;
    // Whether the user asked to cancel the busy job. Each job that enableControls(false)
    // starts gets a fresh token; the engine, the extraction and the moves look at it at
    // their next safe point. A view without a Cancel button never asks.
    virtual std::stop_token cancelToken() const { return {}; }
};
