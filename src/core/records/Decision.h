#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tollenvane {

// What the user chose for one card.
enum class Decision { keep, trash, move, later };

inline constexpr std::array allDecisions{Decision::keep, Decision::trash, Decision::move,
                                         Decision::later};

std::string_view rawValue(Decision decision);
// Raw values are compared exactly, letter case included.
std::optional<Decision> decisionFromRaw(std::string_view raw);

} // namespace tollenvane
