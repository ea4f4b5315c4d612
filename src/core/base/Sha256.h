#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace tollenvane {

// Streaming SHA-256; the digest is written as 64 lower-case hexadecimal digits.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(Sha256&&) noexcept;
    Sha256& operator=(Sha256&&) noexcept;

    void update(std::span<const std::byte> bytes);
    void update(std::string_view text);
    // Ends the hash; the object is spent afterwards.
    std::string finishHex();

    static std::string hexOf(std::string_view text);

private:
    struct Context;
    std::unique_ptr<Context> context_;
};

} // namespace tollenvane
