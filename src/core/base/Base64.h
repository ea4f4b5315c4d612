#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane::base64 {

// Standard alphabet with padding, no line breaks.
std::string encode(std::string_view bytes);

// Strict: padding required, no whitespace, no foreign character; nothing on error.
std::optional<std::string> decode(std::string_view text);

} // namespace tollenvane::base64
