#pragma once

#include "core/scan/ScanCursor.h"
#include "core/scan/ScanOptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tollenvane {

// Turns the regular files of authorised folders into records.
namespace FileIndexer {

// A scan of `roots` that has not started yet: nothing is read before the first pull. Hidden
// items are walked only with `showHidden`; files smaller than `minimumSize` bytes are left out.
ScanCursor scan(std::vector<std::string> roots, bool showHidden, std::int64_t minimumSize,
                ScanOptions options = {});

} // namespace FileIndexer
} // namespace tollenvane
