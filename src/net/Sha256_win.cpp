#include "net/Sha256.h"

#include <windows.h>

#include <bcrypt.h>

#include <stdexcept>

namespace {

bool succeeded(NTSTATUS status)
{
    return status >= 0;
}

void check(NTSTATUS status)
{
    if (!succeeded(status))
        throw std::runtime_error("SHA-256 failed");
}

// Opened once for the process; the system shares it between hashes.
BCRYPT_ALG_HANDLE algorithm()
{
    static const BCRYPT_ALG_HANDLE handle = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        check(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
        return opened;
    }();
    return handle;
}

} // namespace

struct Sha256::State
{
    BCRYPT_HASH_HANDLE hash = nullptr;
    ~State()
    {
        if (hash)
            BCryptDestroyHash(hash);
    }
};

Sha256::Sha256() : state(std::make_unique<State>())
{
    reset();
}

Sha256::~Sha256() = default;

void Sha256::reset()
{
    if (state->hash) {
        BCryptDestroyHash(state->hash);
        state->hash = nullptr;
    }
    check(BCryptCreateHash(algorithm(), &state->hash, nullptr, 0, nullptr, 0, 0));
}

void Sha256::add(const void* data, std::size_t size)
{
    auto* bytes = static_cast<PUCHAR>(const_cast<void*>(data));
    // BCryptHashData takes at most 4 GiB at once.
    while (size > 0) {
        const ULONG piece = size > 0x40000000 ? 0x40000000 : static_cast<ULONG>(size);
        check(BCryptHashData(state->hash, bytes, piece, 0));
        bytes += piece;
        size -= piece;
    }
}

Sha256::Digest Sha256::current() const
{
    // The running hash goes on; its duplicate is finished.
    State copy;
    check(BCryptDuplicateHash(state->hash, &copy.hash, nullptr, 0, 0));
    Digest digest{};
    check(BCryptFinishHash(copy.hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    return digest;
}
