#pragma once

#include "core/base/FileError.h"

#include <functional>
#include <optional>

namespace tollenvane::test {

// The case of the FileError the action throws; nothing when it throws none. Other exceptions
// pass through and fail the test.
std::optional<FileError::Case> fileErrorOf(const std::function<void()>& action);

// The errno of the PlatformError the action throws; 0 when it throws none.
int platformErrorOf(const std::function<void()>& action);

} // namespace tollenvane::test
