#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tollenvane {

// Streaming SHA-256; the digest is written as 64 lower-case hexadecimal digits.
class Sha256 {
public:
    using Digest = std::array<std::byte, 32>;

    Sha256();
    ~Sha256();
    Sha256(Sha256&&) noexcept;
    Sha256& operator=(Sha256&&) noexcept;

    void update(std::span<const std::byte> bytes);
    void update(std::string_view text);
    // End the hash; the object is spent afterwards.
    Digest finish();
    std::string finishHex();

    static std::string hex(const Digest& digest);

    static std::string hexOf(std::string_view text);

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

} // namespace tollenvane
