#pragma once

// What the progress display of a file transfer shows for the bytes received so far.
// It moves in whole 1024-byte steps, the unit its text counts in, so bar and text always
// agree. For an announced length it stops one step short of the end: the file is checked
// and put in place only after the last byte, and "Done." is what says it is complete.

#include <QString>

class DownloadProgress
{
public:
    static constexpr qint64 ChunkBytes = 1024;

    // total < 0: the length was not announced.
    explicit DownloadProgress(qint64 total) : total(total) {}

    void add(qint64 bytes) { received += bytes; }
    qint64 receivedBytes() const { return received; }
    bool lengthKnown() const { return total >= 0; }
    qint64 totalBytes() const { return total; }

    // The byte count the display stands at; 0 while nothing is to be shown.
    qint64 shownBytes() const;

    // `pgbMain` works in int: lengths beyond its range are scaled down. At least 1 for an
    // announced length, since a maximum of 0 is the bar's busy animation.
    int barMaximum() const;
    int barValue(qint64 bytes) const;

    // "123 KB downloaded, 456KB total  (26%)" with the language's two texts.
    static QString progressText(qint64 received, qint64 total, const QString& kbDownloaded, const QString& kbTotal);
    // "123 KB downloaded" for a body of unknown length.
    static QString unknownLengthText(qint64 received, const QString& kbDownloaded);

private:
    qint64 scale() const;

    qint64 total;
    qint64 received = 0;
};
