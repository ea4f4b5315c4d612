// Scans folder trees with no pause between steps and prints what came out:
//   folder_scan [--hidden] [--minimum BYTES] <folder>...
//
// To check the counts, make a tree with a known content, outside the refused system locations
// such as /tmp, with a listing of its regular-file paths ("<type>\t<size>\t<digest>\t<path>",
// links as "symlink-*" lines):
//   python3 /work/shared/bench/make_corpus.py build/corpus --files 20000 --total 200M
//           --listing build/corpus.tsv
//   build/ci/bench/folder_scan --hidden "$PWD/build/corpus"
// The files and bytes printed must equal those of the listing's file lines, less the paths the
// scan leaves out on purpose: a component that is not UTF-8, hidden (without --hidden), an
// excluded name (.git, Library, .Trash-<digits>, ...), a media library (*.photoslibrary, ...)
// or, above the file, a package (*.app, ...). The manifest's regular_file_paths and
// bytes.all_paths are the totals before those are taken out.
#include "core/scan/FileIndexer.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Arguments {
    std::vector<std::string> roots;
    bool hidden = false;
    std::int64_t minimum = 0;
};

bool parse(int argc, char** argv, Arguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--hidden") {
            arguments.hidden = true;
        } else if (argument == "--minimum" && i + 1 < argc) {
            arguments.minimum = std::atoll(argv[++i]);
        } else if (argument.starts_with("--")) {
            return false;
        } else {
            arguments.roots.emplace_back(argument);
        }
    }
    return !arguments.roots.empty();
}

} // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!parse(argc, argv, arguments)) {
        std::cerr << "usage: " << argv[0] << " [--hidden] [--minimum BYTES] <folder>...\n";
        return 2;
    }
    tollenvane::ScanOptions options;
    options.pause = std::chrono::nanoseconds::zero();
    const auto start = std::chrono::steady_clock::now();
    tollenvane::ScanCursor cursor = tollenvane::FileIndexer::scan(
        arguments.roots, arguments.hidden, arguments.minimum, std::move(options));
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::int64_t batches = 0;
    std::int64_t issues = 0;
    std::int64_t problems = 0;
    while (const auto event = cursor.next()) {
        if (event->isBatch()) {
            ++batches;
            for (const tollenvane::FileRecord& record : event->records()) {
                ++files;
                bytes += record.size();
            }
        } else if (event->isIssue()) {
            ++issues;
            problems += event->problem().weight;
            std::cerr << "issue: " << event->problem().text << '\n';
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << "files " << files << "  bytes " << bytes << "  batches " << batches << "  issues "
              << issues << " (" << problems << " problems)  seconds " << elapsed.count() << '\n';
    return 0;
}
