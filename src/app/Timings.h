#pragma once

// Every fixed duration the program waits for, in one record the services hold; tests
// shorten them there instead of sleeping through the real ones.

struct DownloadTimings
{
    int requestTimeoutMs = 15000; // the component gives up after this long without progress
    int countdownTickMs = 1000;   // interval of `tmrTimeout`
    int refreshIntervalMs = 33;   // the progress display changes at most this often
    int listDeadlineMs = 60000;   // a list transfer ends after this long, however busy the server
};

struct WaitTimings
{
    int deletePollMs = 100;
    int deleteTimeoutMs = 3000;
    int filePollMs = 250;
    int fileTimeoutMs = 5000;
};

// The pauses after transfers and the base-set extraction.
struct InstallPauses
{
    int afterDownloadMs = 1000;
    int afterUpdaterMs = 1500;
    int afterBaseSetMs = 1000;
};

struct Timings
{
    DownloadTimings download;
    WaitTimings waits;
    InstallPauses install;
    int translationFileSettleMs = 500; // after closing a translation file, while the window keeps handling events
};
