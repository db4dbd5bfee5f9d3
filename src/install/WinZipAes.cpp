#include "install/WinZipAes.h"

#include <QMessageAuthenticationCode>
#include <QPasswordDigestor>

#include <zip.h>

#include <memory>
#include <vector>

namespace {

constexpr int Iterations = 1000;
constexpr qsizetype VerifierBytes = 2;
constexpr qsizetype MacBytes = 10;

int keyBytes(std::uint16_t method)
{
    switch (method) {
    case ZIP_EM_AES_128:
        return 16;
    case ZIP_EM_AES_192:
        return 24;
    case ZIP_EM_AES_256:
        return 32;
    default:
        return 0;
    }
}

struct EntryCloser
{
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

bool readExactly(zip_file_t* file, char* data, std::uint64_t size)
{
    while (size > 0) {
        const zip_int64_t read = zip_fread(file, data, size);
        if (read <= 0)
            return false;
        data += read;
        size -= std::uint64_t(read);
    }
    return true;
}

} // namespace

bool isAesWithoutCrc(std::uint16_t encryptionMethod, std::uint32_t crc)
{
    return keyBytes(encryptionMethod) > 0 && crc == 0;
}

bool aesDataAuthentic(zip_t* archive, std::uint64_t index, std::uint16_t encryptionMethod, const QByteArray& password)
{
    const int keyLength = keyBytes(encryptionMethod);
    const qsizetype saltBytes = keyLength / 2;
    zip_stat_t stat;
    if (keyLength == 0 || zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_COMP_SIZE) ||
        stat.comp_size < zip_uint64_t(saltBytes + VerifierBytes + MacBytes))
        return false;
    const std::unique_ptr<zip_file_t, EntryCloser> raw(zip_fopen_index(archive, index, ZIP_FL_ENCRYPTED));
    if (!raw)
        return false;

    // Layout: salt, password verifier, encrypted data, the first ten bytes of the HMAC.
    const qsizetype headerBytes = saltBytes + VerifierBytes;
    const std::uint64_t dataBytes = stat.comp_size - std::uint64_t(headerBytes + MacBytes);
    QByteArray header(headerBytes, '\0');
    if (!readExactly(raw.get(), header.data(), std::uint64_t(headerBytes)))
        return false;
    const QByteArray keys = QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha1, password,
                                                               header.left(saltBytes), Iterations, 2 * keyLength + 2);
    if (keys.right(VerifierBytes) != header.right(VerifierBytes))
        return false;
    QMessageAuthenticationCode mac(QCryptographicHash::Sha1, keys.mid(keyLength, keyLength));
    std::vector<char> buffer(64 * 1024);
    for (std::uint64_t left = dataBytes; left > 0;) {
        const std::uint64_t chunk = std::min<std::uint64_t>(left, buffer.size());
        if (!readExactly(raw.get(), buffer.data(), chunk))
            return false;
        mac.addData(buffer.data(), qsizetype(chunk));
        left -= chunk;
    }
    // Reading the stored MAC may end in the same false CRC error: the bytes count, not the end.
    QByteArray stored(MacBytes, '\0');
    if (!readExactly(raw.get(), stored.data(), MacBytes))
        return false;
    return mac.result().left(MacBytes) == stored;
}
