#pragma once

// WinZip AES entries of the second kind (AE-2, what 7-Zip writes) store no CRC: their
// data is vouched for by an HMAC-SHA1 over the encrypted bytes. libzip before 1.9 still
// compares such data with the empty CRC and reports a CRC error at its end, so the
// extraction accepts that error only when the HMAC checked here is right.

#include <QByteArray>

#include <cstdint>

struct zip;

// An AES entry whose stored CRC is 0 carries no CRC to check.
bool isAesWithoutCrc(std::uint16_t encryptionMethod, std::uint32_t crc);

// Reads the entry's encrypted bytes and checks their HMAC with the key derived from the
// password; false for a wrong password, damaged data or a read failure.
bool aesDataAuthentic(zip* archive, std::uint64_t index, std::uint16_t encryptionMethod, const QByteArray& password);
