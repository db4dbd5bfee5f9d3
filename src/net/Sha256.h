#pragma once

// SHA-256 over bytes fed in pieces, with the system's fastest implementation (libcrypto,
// which uses the processor's SHA instructions; Windows' CNG). Standard library only, so
// the Windows stage builds it without Qt.

#include <array>
#include <cstddef>
#include <memory>
#include <string>

class Sha256
{
public:
    using Digest = std::array<unsigned char, 32>;

    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(const void* data, std::size_t size);
    // The digest of everything added so far; adding may go on afterwards.
    Digest current() const;
    // Starts again as if nothing had been added.
    void reset();

    // 64 lower-case hexadecimal digits.
    static std::string hex(const Digest& digest);

private:
    struct State;
    std::unique_ptr<State> state;
};
