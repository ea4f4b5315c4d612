#include "support/RecordPaths.h"

namespace tollenvane::test {

std::vector<std::string> pathsOf(std::span<const FileRecord> records)
{
    std::vector<std::string> paths;
    for (const FileRecord& record : records) {
        paths.emplace_back(record.path());
    }
    return paths;
}

} // namespace tollenvane::test
