#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane::uuid {

// A new random UUID in its upper-case hyphenated form.
std::string make();

// The upper-case form of a 36-character hyphenated UUID of either case; nothing for any other
// text (braces included).
std::optional<std::string> canonical(std::string_view text);

} // namespace tollenvane::uuid
