#pragma once

#include "core/base/Sha256.h"

#include <compare>
#include <cstdint>

namespace tollenvane {

// What one pass of the duplicate search tells files apart by: their size and the SHA-256 of
// what was read of them. Kept inline: a search over many files holds one per file.
struct PassKey {
    std::int64_t size = 0;
    Sha256::Digest hash{};

    auto operator<=>(const PassKey&) const = default;
};

} // namespace tollenvane
