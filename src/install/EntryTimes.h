#pragma once

// The modification time of an entry from the extra fields that carry it exactly: the
// NTFS times (7-Zip, Windows tools) and the extended timestamp (Info-ZIP, bsdtar). Both
// are UTC; without them an entry only has its DOS time, which is local time. Times
// later than a file time can hold come back as the latest one it can.

#include <QDateTime>

#include <cstdint>

// Extra field 0x000A: four reserved bytes, then tagged attributes; tag 1 holds the
// modification, access and creation times in 100 ns steps since 1601.
QDateTime ntfsModificationTime(const std::uint8_t* data, std::size_t size);

// Extra field 0x5455: a flags byte, then the modification time in seconds since 1970
// when flag bit 0 is set.
QDateTime extendedModificationTime(const std::uint8_t* data, std::size_t size);
