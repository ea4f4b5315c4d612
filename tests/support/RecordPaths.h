#pragma once

#include "core/records/FileRecord.h"

#include <span>
#include <string>
#include <vector>

namespace tollenvane::test {

// The paths of the records, in their order.
std::vector<std::string> pathsOf(std::span<const FileRecord> records);

} // namespace tollenvane::test
