#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace tollenvane {

// The table between a closed enumeration and the raw strings it is stored as.
template <class Enum, std::size_t N>
struct RawValues {
    std::array<std::pair<Enum, std::string_view>, N> entries;

    constexpr std::string_view raw(Enum value) const
    {
        for (const auto& [candidate, text] : entries) {
            if (candidate == value) {
                return text;
            }
        }
        return {};
    }

    // Exact comparison, letter case included.
    constexpr std::optional<Enum> parse(std::string_view text) const
    {
        for (const auto& [candidate, candidateText] : entries) {
            if (candidateText == text) {
                return candidate;
            }
        }
        return std::nullopt;
    }
};

} // namespace tollenvane
