// Builds the in-memory index over synthetic records the way a scan feeds it, then prints what
// it costs: time per record, one selection estimate, bytes held and allocations made per indexed
// record.
//   insights [records]   (1,000,000 unless given)
#include "core/base/FileUrl.h"
#include "core/base/Json.h"
#include "core/insights/InsightAccumulator.h"
#include "core/storage/StorageTree.h"

#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace {

std::atomic<std::size_t> allocations{0};

} // namespace

// Counts every allocation of the program, so that the benchmark can tell how many indexing a
// record costs. Kept out of line, so that the compiler pairs no inlined free with a new.
[[gnu::noinline]] void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        return block;
    }
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* block) noexcept
{
    std::free(block);
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

using namespace tollenvane;
using Clock = std::chrono::steady_clock;

constexpr std::string_view root = "/home/user/Documents";
constexpr Date now = 820'000'000.0;
constexpr std::size_t batchSize = 512; // what a scan hands over at once

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A tree like a user's: 100 folders of 100 folders, some of them downloads, file names of
// camera and document length, a mix of kinds, one file in fifty a hard link of its neighbour.
class Synthetic {
public:
    FileRecord record(std::size_t n)
    {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kinds{{
            {"jpg", "image"},
            {"mov", "video"},
            {"pdf", "pdf"},
            {"zip", "archive"},
            {"docx", "document"},
            {"bin", "other"},
        }};
        const auto& [extension, kind] = kinds[random_() % kinds.size()];
        const std::size_t folder = n / 100;
        std::string path(root);
        path += (folder % 13 == 0) ? "/Downloads" : "/Projects " + std::to_string(folder / 100);
        path += "/Folder " + std::to_string(folder % 100) + "/IMG_2024" + std::to_string(n) + "." +
                std::string(extension);
        const bool link = n % 50 == 1;
        const std::int64_t size = static_cast<std::int64_t>(random_() % 400'000'000);
        Json json;
        json["url"] = fileUrl(path);
        json["size"] = size;
        json["allocatedSize"] = (size + 4095) / 4096 * 4096;
        json["linkCount"] = link ? 2 : 1;
        json["created"] = distantPast;
        json["modified"] = now - static_cast<double>(random_() % 400) * 86'400.0;
        json["kind"] = kind;
        json["screenshot"] = false;
        json["available"] = true;
        json["device"] = 2049;
        json["inode"] = link ? n - 1 : n;
        json["volumeUUID"] = "3f1c9d2e-7a55-4c1b-9d0e-5b8a2f6c1e47";
        json["changeSeconds"] = 1'700'000'000;
        json["changeNanoseconds"] = 0;
        return FileRecord::fromJson(json);
    }

private:
    std::mt19937_64 random_{2026};
};

std::vector<std::vector<FileRecord>> batches(std::size_t count)
{
    Synthetic synthetic;
    std::vector<std::vector<FileRecord>> result;
    for (std::size_t n = 0; n < count; ++n) {
        if (n % batchSize == 0) {
            result.emplace_back().reserve(batchSize);
        }
        result.back().push_back(synthetic.record(n));
    }
    return result;
}

void report(std::string_view what, double seconds, std::size_t count)
{
    std::cout << std::left << std::setw(34) << what << std::right << std::fixed
              << std::setprecision(1) << std::setw(10) << seconds * 1000 << " ms" << std::setw(10)
              << seconds * 1e9 / static_cast<double>(count) << " ns/record\n";
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::stoul(argv[1]) : 1'000'000;
    std::cout << "synthetic records: " << count << "\n";

    const std::size_t heapBefore = heapInUse();
    auto work = batches(count);
    {
        StorageTree tree({std::string(root)});
        const auto start = Clock::now();
        for (const auto& batch : work) {
            for (const FileRecord& record : batch) {
                tree.apply(record, +1);
            }
        }
        report("storage tree alone", secondsSince(start), count);
    }

    {
        FileInsights insights;
        const std::vector<std::string> roots{std::string(root)};
        const PresetMatchers presets(now);
        const auto start = Clock::now();
        for (const auto& batch : work) {
            for (const FileRecord& record : batch) {
                insights.apply(record, roots, presets, +1);
            }
        }
        report("insights alone", secondsSince(start), count);
    }

    InsightAccumulator accumulator({std::string(root)}, now);
    const std::size_t allocationsBefore = allocations.load();
    const auto start = Clock::now();
    for (auto& batch : work) {
        accumulator.append(std::move(batch));
    }
    // The storage tree is counted beside the appends: the index is complete once it is.
    (void)accumulator.children(std::nullopt);
    report("index, insights and storage tree", secondsSince(start), count);
    const std::size_t indexAllocations = allocations.load() - allocationsBefore;
    // The records were moved into the index, so what is left is what the index holds.
    work.clear();
    work.shrink_to_fit();
    const std::size_t held = heapInUse() - heapBefore;

    const ReviewStamps none;
    SessionFilter large = filter(SpacePreset::large);
    large.minimumSize = 100'000'000;
    auto timed = Clock::now();
    const FileTally tally = accumulator.estimate(large, none);
    report("one estimate (size and age)", secondsSince(timed), count);

    SessionFilter search;
    search.search = "folder 7";
    timed = Clock::now();
    const FileTally found = accumulator.estimate(search, none);
    report("one estimate (search)", secondsSince(timed), count);

    timed = Clock::now();
    const auto queue = accumulator.selection(large, none, std::nullopt, nullptr);
    report("one selection (sorted queue)", secondsSince(timed), count);

    std::cout << "estimate: " << tally.count << " files, search: " << found.count
              << " files, queue: " << queue.size() << " files\n";
    std::cout << "heap held per indexed record: " << held / count << " bytes\n";
    std::cout << "allocations per indexed record: " << std::setprecision(3)
              << static_cast<double>(indexAllocations) / static_cast<double>(count) << "\n";
    return 0;
}
