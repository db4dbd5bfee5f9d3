#pragma once

// Waiting without blocking the window: every wait runs a local event loop, so timers,
// transfer events and user input keep arriving, and no CPU is spent while waiting.

#include "app/Timings.h"

#include <QString>

// Returns after the given time, handling events meanwhile.
void wait(int milliseconds);

// Deletes the file if present; with waitUntilGone, polls until it is gone, for at most
// the timings' bound.
void deleteFileWait(const QString& path, bool waitUntilGone, const WaitTimings& timings = {});

// Waits (bounded by the timings) until the file exists and has grown beyond size bytes.
void waitForFile(const QString& path, qint64 size, const WaitTimings& timings);

// The file's size in bytes, or -1 when it cannot be opened.
qint64 fileSizeOf(const QString& path);

// Rewrites the file with every line feed replaced by CR LF; false when the file is
// missing or any file operation fails. Waits for the new file as waitForFile does.
bool convertLineEnds(const QString& path, const WaitTimings& timings);
