#include "net/Sha256.h"

#include <openssl/evp.h>

#include <stdexcept>

struct Sha256::State
{
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state(std::make_unique<State>())
{
    if (!state->context)
        throw std::bad_alloc();
    reset();
}

Sha256::~Sha256() = default;

void Sha256::reset()
{
    if (EVP_DigestInit_ex(state->context, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("SHA-256 is not available");
}

void Sha256::add(const void* data, std::size_t size)
{
    if (size > 0 && EVP_DigestUpdate(state->context, data, size) != 1)
        throw std::runtime_error("SHA-256 failed");
}

Sha256::Digest Sha256::current() const
{
    // The running context goes on; its copy is finished.
    State copy;
    Digest digest{};
    unsigned int length = 0;
    if (!copy.context || EVP_MD_CTX_copy_ex(copy.context, state->context) != 1 ||
        EVP_DigestFinal_ex(copy.context, digest.data(), &length) != 1 || length != digest.size())
        throw std::runtime_error("SHA-256 failed");
    return digest;
}
