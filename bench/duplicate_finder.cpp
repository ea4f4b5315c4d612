// Scans folder trees into the in-memory index as the application does, then looks for
// duplicates over the index's records and prints the figures:
//   duplicate_finder [--hidden] [--minimum BYTES] [--groups FILE] [--threads N] <folder>...
// --threads sets how many threads read, --hashers how many hash what a lone reader reads,
// --cache-readers how many read first what the page cache holds when one reads alone (the search
// chooses when any is absent or 0; one hasher means the reader hashes too). With --groups
// the groups are also written to FILE as JSON, each with its digest and its members' paths, devices
// and inodes, so that they can be checked against a known tree (bench/compare checks them against
// the listing of make_corpus.py).
#include "IndexedScan.h"
#include "core/base/Json.h"
#include "core/duplicates/DuplicateFinder.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tollenvane::DuplicateGroup;
using tollenvane::Json;

Json describe(const DuplicateGroup& group)
{
    Json files = Json::array();
    for (const tollenvane::FileRecord& file : group.files) {
        files.push_back(
            {{"path", file.path()}, {"device", file.device()}, {"inode", file.inode()}});
    }
    return Json{{"digest", group.digest}, {"files", std::move(files)}};
}

// One group at a time, so that writing adds nothing to the process's peak memory.
bool write(const std::string& path, const std::vector<DuplicateGroup>& groups)
{
    std::ofstream out(path);
    out << "{\"groups\": [";
    for (std::size_t index = 0; index < groups.size(); ++index) {
        out << (index == 0 ? "\n" : ",\n") << describe(groups[index]).dump();
    }
    out << "\n]}\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    bench::ScanArguments arguments;
    std::optional<std::string> groupsFile;
    unsigned threads = tollenvane::DuplicateFinder::automaticThreads;
    unsigned hashers = tollenvane::DuplicateFinder::automaticThreads;
    unsigned cacheReaders = tollenvane::DuplicateFinder::automaticThreads;
    const bool parsed =
        bench::parseScanArguments(argc, argv, arguments, [&](std::string_view option, int& i) {
            if (i + 1 >= argc) {
                return false;
            }
            if (option == "--groups") {
                groupsFile = argv[++i];
                return true;
            }
            if (option == "--threads") {
                threads = static_cast<unsigned>(std::stoul(argv[++i]));
                return true;
            }
            if (option == "--hashers") {
                hashers = static_cast<unsigned>(std::stoul(argv[++i]));
                return true;
            }
            if (option == "--cache-readers") {
                cacheReaders = static_cast<unsigned>(std::stoul(argv[++i]));
                return true;
            }
            return false;
        });
    if (!parsed) {
        std::cerr << "usage: " << argv[0]
                  << " [--hidden] [--minimum BYTES] [--groups FILE] [--threads N] [--hashers N] "
                     "[--cache-readers N] <folder>...\n";
        return 2;
    }
    tollenvane::InsightAccumulator index(arguments.roots, tollenvane::currentDate());
    const bench::ScanFigures scan = bench::scanInto(index, arguments, std::chrono::nanoseconds{});
    const std::vector<tollenvane::FileRecord> records = index.snapshot();

    std::int64_t reports = 0;
    const auto start = bench::Clock::now();
    const auto groups = tollenvane::DuplicateFinder::find(
        records, [&reports](std::int64_t, std::int64_t) { ++reports; }, {}, {},
        tollenvane::FileRecord::Environment::system(), threads, hashers, cacheReaders);
    const double searchSeconds = bench::secondsSince(start);

    std::int64_t members = 0;
    std::int64_t reclaimable = 0;
    for (const DuplicateGroup& group : groups) {
        members += static_cast<std::int64_t>(group.files.size());
        reclaimable += group.reclaimable();
    }
    std::cout << "index    " << scan << '\n';
    std::cout << "search   groups " << groups.size() << "  files " << members << "  reclaimable "
              << reclaimable << "  progress reports " << reports << "  seconds " << searchSeconds
              << '\n';
    if (groupsFile && !write(*groupsFile, groups)) {
        std::cerr << "cannot write " << *groupsFile << '\n';
        return 1;
    }
    return 0;
}
