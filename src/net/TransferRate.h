#pragma once

// The speed and time left of a running download, as the download label shows them after
// its progress text: smoothed over the last few seconds, refreshed at most twice a
// second, and unknown during a transfer's first second.

#include <QString>
#include <QtGlobal>

#include <deque>
#include <optional>

class QLocale;

class TransferRate
{
public:
    static constexpr qint64 WindowMs = 5000;
    static constexpr qint64 FirstShownMs = 1000;
    static constexpr qint64 RefreshMs = 500;

    // A transfer begins at nowMs with received bytes already there (those of a resume
    // count for the progress, not for the speed).
    void start(qint64 nowMs, qint64 received);
    // The bytes received by nowMs. True when the shown speed should change: the first
    // time one is known, then at most every RefreshMs.
    bool update(qint64 nowMs, qint64 received);
    // Bytes per second over the last WindowMs; none during the first second or while
    // nothing arrived.
    std::optional<double> bytesPerSecond() const;

private:
    struct Sample
    {
        qint64 ms;
        qint64 bytes;
    };
    std::deque<Sample> samples;
    qint64 startMs = 0;
    qint64 shownMs = -1;
};

// "4.2 MB/s, 0:38 left": pattern holds #1# for the speed and #2# for the time left (the
// interface language's row), the units are the language's, the numbers the locale's.
QString rateText(double bytesPerSecond, qint64 bytesLeft, const QString& pattern, const QString& kbUnit,
                 const QString& mbUnit, const QLocale& locale);
