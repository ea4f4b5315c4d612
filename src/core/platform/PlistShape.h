#pragma once

#include <string_view>

namespace tollenvane {

// Whether libplist may be given these bytes: a property list (XML or binary) of a size and shape
// that real information dictionaries have. A few hundred hostile bytes can otherwise exhaust
// libplist's stack or memory.
bool isTamePlist(std::string_view data);

} // namespace tollenvane
