#pragma once

#include <string>
#include <string_view>

namespace tollenvane {

// Case-insensitive, accent-sensitive containment in which a precomposed letter and its
// decomposed form are the same character (NFC and case folding on both sides).
bool localizedCaseInsensitiveContains(std::string_view text, std::string_view search);

// Lower-cased (locale-independent) then NFC, for matching names against fixed texts.
std::string lowercasedNfc(std::string_view text);

} // namespace tollenvane
