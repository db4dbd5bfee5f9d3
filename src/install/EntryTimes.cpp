#include "install/EntryTimes.h"

namespace {

std::uint64_t littleEndian(const std::uint8_t* data, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[i];
    return value;
}

// A signed 64-bit count of nanoseconds since 1970, as the standard library's file clock
// counts, ends in April 2262 (and reading a time close to the end already overflows);
// every file system we write to holds the new year before it.
const QDateTime LatestFileTime = QDateTime(QDate(2262, 1, 1), QTime(0, 0), Qt::UTC);

QDateTime clamped(const QDateTime& time)
{
    return time > LatestFileTime ? LatestFileTime : time;
}

} // namespace

QDateTime ntfsModificationTime(const std::uint8_t* data, std::size_t size)
{
    constexpr std::uint64_t TicksTo1970 = 116444736000000000ULL;
    std::size_t at = 4;
    while (at + 4 <= size) {
        const auto tag = littleEndian(data + at, 2);
        const auto length = littleEndian(data + at + 2, 2);
        at += 4;
        if (length > size - at)
            return {};
        if (tag == 1 && length >= 8) {
            const std::uint64_t ticks = littleEndian(data + at, 8);
            if (ticks < TicksTo1970)
                return {};
            return clamped(QDateTime::fromMSecsSinceEpoch(qint64((ticks - TicksTo1970) / 10000), Qt::UTC));
        }
        at += length;
    }
    return {};
}

QDateTime extendedModificationTime(const std::uint8_t* data, std::size_t size)
{
    if (size < 5 || (data[0] & 1) == 0)
        return {};
    return clamped(QDateTime::fromSecsSinceEpoch(qint64(littleEndian(data + 1, 4)), Qt::UTC));
}
