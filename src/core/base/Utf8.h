#pragma once

#include <string_view>

namespace tollenvane {

// Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing past
// U+10FFFF. A name that fails cannot be stored in JSON, so it is never acted on.
bool isValidUtf8(std::string_view text);

} // namespace tollenvane
