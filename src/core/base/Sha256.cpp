#include "core/base/Sha256.h"

#include <openssl/evp.h>

#include <array>
#include <memory>
#include <stdexcept>

namespace tollenvane {

struct Sha256::Context {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> md{EVP_MD_CTX_new(), &EVP_MD_CTX_free};
};

namespace {

void check(int result, const char* what)
{
    if (result != 1) {
        throw std::runtime_error(what);
    }
}

// Fetched once: EVP_sha256() would have every init look the implementation up again, which
// costs more than hashing a small file.
const EVP_MD* sha256()
{
    static const std::unique_ptr<EVP_MD, decltype(&EVP_MD_free)> md{
        EVP_MD_fetch(nullptr, "SHA256", nullptr), &EVP_MD_free};
    return md ? md.get() : EVP_sha256();
}

} // namespace

Sha256::Sha256()
    : context_(std::make_unique<Context>())
{
    if (!context_->md) {
        throw std::bad_alloc();
    }
    check(EVP_DigestInit_ex(context_->md.get(), sha256(), nullptr), "SHA-256 init");
}

Sha256::~Sha256() = default;
Sha256::Sha256(Sha256&&) noexcept = default;
Sha256& Sha256::operator=(Sha256&&) noexcept = default;

void Sha256::update(std::span<const std::byte> bytes)
{
    check(EVP_DigestUpdate(context_->md.get(), bytes.data(), bytes.size()), "SHA-256 update");
}

void Sha256::update(std::string_view text)
{
    update(std::as_bytes(std::span(text.data(), text.size())));
}

Sha256::Digest Sha256::finish()
{
    Digest digest{};
    unsigned int length = 0;
    check(EVP_DigestFinal_ex(context_->md.get(), reinterpret_cast<unsigned char*>(digest.data()),
                             &length),
          "SHA-256 final");
    if (length != digest.size()) {
        throw std::runtime_error("SHA-256 final");
    }
    return digest;
}

std::string Sha256::finishHex()
{
    return hex(finish());
}

std::string Sha256::hex(const Digest& digest)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (const std::byte byte : digest) {
        const auto value = std::to_integer<unsigned>(byte);
        text += digits[value >> 4];
        text += digits[value & 0x0f];
    }
    return text;
}

std::string Sha256::hexOf(std::string_view text)
{
    Sha256 hash;
    hash.update(text);
    return hash.finishHex();
}

} // namespace tollenvane
