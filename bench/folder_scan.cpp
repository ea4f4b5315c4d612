// Scans folder trees into the in-memory index (records, insights and storage tree) the way the
// application does, and prints what came out and how long it took:
//   folder_scan [--hidden] [--minimum BYTES] [--shipped] <folder>...
// Without --shipped the steps run back to back (the engine). With --shipped an untimed scan
// warms the process, then the engine runs, then the scan as shipped, whose pause before every step
// must be all it adds: the last line checks that the shipped time is at most 10 % above the
// engine's plus the pauses (a miss is printed, not an error: timing depends on the machine). It may
// be well below: the threads that read folders ahead go on during the pauses.
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
// bytes.all_paths are the totals before those are taken out. bench/compare does this check.
#include "IndexedScan.h"
#include "core/scan/ScanOptions.h"

#include <chrono>
#include <iostream>
#include <string_view>

namespace {

using namespace std::chrono_literals;

bench::ScanFigures scanOnce(const bench::ScanArguments& arguments, std::chrono::nanoseconds pause)
{
    tollenvane::InsightAccumulator index(arguments.roots, tollenvane::currentDate());
    return bench::scanInto(index, arguments, pause);
}

} // namespace

int main(int argc, char** argv)
{
    bench::ScanArguments arguments;
    bool shipped = false;
    const bool parsed =
        bench::parseScanArguments(argc, argv, arguments, [&shipped](std::string_view option, int&) {
            shipped = option == "--shipped";
            return shipped;
        });
    if (!parsed) {
        std::cerr << "usage: " << argv[0]
                  << " [--hidden] [--minimum BYTES] [--shipped] <folder>...\n";
        return 2;
    }
    // Compared with the shipped scan, the engine is timed in a process already warmed by one
    // scan, as the shipped scan is by the engine's: the first scan of a process also pays for
    // loading the type tables and growing the allocator.
    if (shipped) {
        (void)scanOnce(arguments, 0ns);
    }
    const bench::ScanFigures engine = scanOnce(arguments, 0ns);
    std::cout << "engine   " << engine << '\n';
    if (!shipped) {
        return 0;
    }
    const std::chrono::nanoseconds pause = tollenvane::ScanOptions{}.pause;
    const bench::ScanFigures real = scanOnce(arguments, pause);
    std::cout << "shipped  " << real << '\n';
    const double pauses =
        std::chrono::duration<double>(pause).count() * static_cast<double>(real.steps);
    const double expected = engine.seconds + pauses;
    const double overhead = real.seconds / expected - 1;
    const bool within = overhead <= 0.10;
    std::cout << "check    engine + " << std::chrono::duration<double, std::milli>(pause).count()
              << " ms x " << real.steps << " steps = " << expected << " s, shipped " << real.seconds
              << " s, " << (overhead >= 0 ? "+" : "") << std::setprecision(1) << overhead * 100
              << " %: " << (within ? "at most 10 % more" : "MORE than 10 % more") << '\n';
    return 0;
}
