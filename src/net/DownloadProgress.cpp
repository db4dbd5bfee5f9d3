#include "net/DownloadProgress.h"

#include <algorithm>
#include <limits>

qint64 DownloadProgress::shownBytes() const
{
    qint64 shown = received / ChunkBytes * ChunkBytes;
    if (lengthKnown()) {
        const qint64 lastShown = total > 0 ? (total - 1) / ChunkBytes * ChunkBytes : 0;
        shown = std::min(shown, lastShown);
    }
    return shown;
}

qint64 DownloadProgress::scale() const
{
    constexpr qint64 barLimit = std::numeric_limits<int>::max();
    return total <= barLimit ? 1 : total / barLimit + 1;
}

int DownloadProgress::barMaximum() const
{
    return lengthKnown() ? int(std::max<qint64>(1, total / scale())) : 0;
}

int DownloadProgress::barValue(qint64 bytes) const
{
    return int(bytes / scale());
}

QString DownloadProgress::progressText(qint64 received, qint64 total, const QString& kbDownloaded,
                                       const QString& kbTotal)
{
    qint64 part = received;
    qint64 whole = total;
    // Keeps part * 100 inside 64 bits for any length.
    while (whole > std::numeric_limits<qint64>::max() / 100) {
        part /= 2;
        whole /= 2;
    }
    const qint64 percent = whole > 0 ? part * 100 / whole : 0;
    return QString::number(received / ChunkBytes) + QLatin1Char(' ') + kbDownloaded + QLatin1Char(' ') +
           QString::number(total / ChunkBytes) + kbTotal + QStringLiteral("  (") + QString::number(percent) +
           QStringLiteral("%)");
}

QString DownloadProgress::unknownLengthText(qint64 received, const QString& kbDownloaded)
{
    QString words = kbDownloaded.trimmed();
    // The text is written to be followed by the total ("KB downloaded,"); here nothing follows.
    while (!words.isEmpty() && (words.back() == QLatin1Char(',') || words.back() == QChar(0xFF0C) ||
                                words.back() == QChar(0x3001) || words.back().isSpace()))
        words.chop(1);
    return QString::number(received / ChunkBytes) + QLatin1Char(' ') + words;
}
