#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace tollenvane {

// Hashes every kind of string alike, so that maps keyed by std::string are searched with a
// std::string_view (pair it with std::equal_to<>).
struct TextHash {
    using is_transparent = void;

    // Not noexcept, so that the containers store each hash instead of hashing every key they
    // step over.
    std::size_t operator()(std::string_view text) const
    {
        return std::hash<std::string_view>{}(text);
    }
};

} // namespace tollenvane
