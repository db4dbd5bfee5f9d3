#pragma once

// The download engine's durations; tests shorten them.

struct DownloadTimings
{
    int requestTimeoutMs = 15000; // the component gives up after this long without progress
    int countdownTickMs = 1000;   // interval of `tmrTimeout`
    int refreshIntervalMs = 33;   // the progress display changes at most this often
};

DownloadTimings& currentDownloadTimings();
