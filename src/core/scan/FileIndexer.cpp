#include "core/scan/FileIndexer.h"

#include <utility>

namespace tollenvane::FileIndexer {

ScanCursor scan(std::vector<std::string> roots, bool showHidden, std::int64_t minimumSize,
                ScanOptions options)
{
    return ScanCursor(std::move(roots), showHidden, minimumSize, std::move(options));
}

} // namespace tollenvane::FileIndexer
