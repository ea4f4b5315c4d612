// Indexes every regular file under a folder, then looks for duplicates among them and prints
// the figures:
//   duplicate_finder <folder>
// Links are never followed, and a folder met twice (a bind mount inside itself) is walked once.
#include "core/base/FileStatus.h"
#include "core/duplicates/DuplicateFinder.h"
#include "core/records/FileRecord.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <unordered_set>
#include <vector>

namespace {

namespace fs = std::filesystem;
using tollenvane::FileIdentity;
using tollenvane::FileRecord;
using tollenvane::FileStatus;

struct Index {
    std::vector<FileRecord> records;
    std::int64_t skipped = 0;
};

// A folder whose file is already known is not entered again.
bool firstVisit(const fs::path& folder, std::unordered_set<FileIdentity>& folders)
{
    const auto status = FileStatus::tryRead(folder.string());
    return status && folders.insert({status->device, status->inode}).second;
}

Index indexFolder(const fs::path& root)
{
    Index index;
    std::unordered_set<FileIdentity> folders{};
    firstVisit(root, folders);
    std::error_code error;
    fs::recursive_directory_iterator walk(root, fs::directory_options::skip_permission_denied,
                                          error);
    for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
        const fs::file_status status = walk->symlink_status(error);
        if (fs::is_directory(status) && !firstVisit(walk->path(), folders)) {
            walk.disable_recursion_pending();
        } else if (fs::is_regular_file(status)) {
            try {
                index.records.push_back(FileRecord::read(walk->path().string()));
            } catch (const std::exception&) {
                ++index.skipped; // a name that cannot be stored, or a file gone meanwhile
            }
        }
    }
    if (error) {
        std::cerr << "walk stopped: " << error.message() << '\n';
    }
    return index;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <folder>\n";
        return 2;
    }
    const auto indexStart = std::chrono::steady_clock::now();
    const Index index = indexFolder(fs::absolute(argv[1]));
    const double indexSeconds = secondsSince(indexStart);

    std::int64_t bytes = 0;
    for (const FileRecord& record : index.records) {
        bytes += record.size();
    }
    std::int64_t reports = 0;
    const auto searchStart = std::chrono::steady_clock::now();
    const auto groups = tollenvane::DuplicateFinder::find(
        index.records, [&reports](std::int64_t, std::int64_t) { ++reports; });
    const double searchSeconds = secondsSince(searchStart);

    std::int64_t reclaimable = 0;
    for (const auto& group : groups) {
        reclaimable += group.reclaimable();
    }
    std::cout << "files " << index.records.size() << "  skipped " << index.skipped << "  bytes "
              << bytes << "  groups " << groups.size() << "  reclaimable " << reclaimable
              << "  progress reports " << reports << "  index seconds " << indexSeconds
              << "  search seconds " << searchSeconds << '\n';
    return 0;
}
