#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// Every byte but the unreserved characters and "/" as %XX (upper-case hexadecimal).
std::string percentEncodePath(std::string_view path);

// "file://" followed by the percent-encoded absolute path.
std::string fileUrl(std::string_view path);
// The standardised absolute path of a "file://" URL (an empty or "localhost" host); nothing for
// any other text.
std::optional<std::string> pathFromFileUrl(std::string_view url);

} // namespace tollenvane
