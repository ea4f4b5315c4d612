// What the benchmarks share: the folder scan as the application runs it, each batch pulled from
// the cursor and handed to the in-memory index (records, insights and storage tree) before the
// next pull.
#pragma once

#include "core/base/Date.h"
#include "core/insights/InsightAccumulator.h"
#include "core/scan/FileIndexer.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct ScanArguments {
    std::vector<std::string> roots;
    bool hidden = false;
    std::int64_t minimum = 0;
};

// Takes "--hidden", "--minimum BYTES" and folders; any other "--" option is handed to `other`,
// which answers whether it knew it (and may take the next argument through `i`).
template <class Other>
bool parseScanArguments(int argc, char** argv, ScanArguments& arguments, Other&& other)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--hidden") {
            arguments.hidden = true;
        } else if (argument == "--minimum" && i + 1 < argc) {
            arguments.minimum = std::atoll(argv[++i]);
        } else if (argument.starts_with("--")) {
            if (!other(argument, i)) {
                return false;
            }
        } else {
            arguments.roots.emplace_back(argument);
        }
    }
    return !arguments.roots.empty();
}

struct ScanFigures {
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    // Every pull that ran a step, and so began with the pause: batches, issues and the end.
    std::int64_t steps = 0;
    std::int64_t batches = 0;
    std::int64_t problems = 0;
    double seconds = 0;
};

// Scans `arguments.roots` into `index`, timing the pulls and the appends together, up to a
// complete index.
inline ScanFigures scanInto(tollenvane::InsightAccumulator& index, const ScanArguments& arguments,
                            std::chrono::nanoseconds pause)
{
    tollenvane::ScanOptions options;
    options.pause = pause;
    ScanFigures figures;
    const auto start = Clock::now();
    tollenvane::ScanCursor cursor = tollenvane::FileIndexer::scan(
        arguments.roots, arguments.hidden, arguments.minimum, std::move(options));
    while (auto event = cursor.next()) {
        ++figures.steps;
        if (event->isBatch()) {
            ++figures.batches;
            figures.files += static_cast<std::int64_t>(event->records().size());
            for (const tollenvane::FileRecord& record : event->records()) {
                figures.bytes += record.size();
            }
            (void)index.append(std::move(*event).records());
        } else if (event->isIssue()) {
            figures.problems += event->problem().weight;
            std::cerr << "issue: " << event->problem().text << '\n';
        }
    }
    // The storage tree may still be counting the last batches: the scan ends when it is done.
    (void)index.children(std::nullopt);
    figures.seconds = secondsSince(start);
    return figures;
}

inline std::ostream& operator<<(std::ostream& out, const ScanFigures& figures)
{
    return out << "files " << figures.files << "  bytes " << figures.bytes << "  steps "
               << figures.steps << "  batches " << figures.batches << "  problems "
               << figures.problems << "  seconds " << std::fixed << std::setprecision(4)
               << figures.seconds;
}

} // namespace bench
