#pragma once

#include <optional>
#include <string>

namespace tollenvane::test {

// A bundle folder at `path`, its parents made as needed, with an XML information dictionary
// naming its identifier (and its version when given) and a small executable file; returns
// `path`.
std::string writeBundle(const std::string& path, const std::string& identifier,
                        const std::optional<std::string>& version = std::nullopt);

} // namespace tollenvane::test
