#pragma once

#include <string_view>

namespace tollenvane {

// The bytes of resources/Localizations.json, compiled into the library at build time.
std::string_view embeddedCatalogue();

} // namespace tollenvane
