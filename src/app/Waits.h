#pragma once

// Waiting without blocking the window: every wait runs a local event loop, so timers,
// transfer events and user input keep arriving, and no CPU is spent while waiting.

#include <QString>

struct WaitTimings
{
    int deletePollMs = 100;
    int deleteTimeoutMs = 3000;
    int filePollMs = 250;
    int fileTimeoutMs = 5000;
};

// The durations in force; tests shorten them.
WaitTimings& currentWaitTimings();

// Returns after the given time, handling events meanwhile.
void wait(int milliseconds);

// Deletes the file if present; with wait, polls until it is gone (bounded).
void deleteFileWait(const QString& path, bool waitUntilGone);

// Waits (bounded) until the file exists and has grown beyond size bytes.
void waitForFile(const QString& path, qint64 size);

// The file's size in bytes, or -1 when it cannot be opened.
qint64 fileSizeOf(const QString& path);

// Rewrites the file with every line feed replaced by CR LF; false when the file is
// missing or any file operation fails.
bool convertLineEnds(const QString& path);
