#include "core/insights/InsightAccumulator.h"

#include "core/base/Path.h"
#include "core/scan/FileIndexer.h"
#include "support/RecordSample.h"
#include "support/ScanOutcome.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tollenvane {
namespace {

using test::RecordSample;

constexpr Date now = 800'000'000.0;
constexpr double day = 86'400.0;

class InsightAccumulatorTest : public ::testing::Test {
protected:
    test::TempDir folder;
    std::string root = path::resolved(folder.path());

    RecordSample at(std::string_view relative, RecordSample sample) const
    {
        sample.path = path::appending(root, relative);
        return sample;
    }
};

TEST(SpacePreset, RawValuesAndFiltersAreFixed)
{
    ASSERT_EQ(allSpacePresets.size(), 6u);
    for (const SpacePreset preset : allSpacePresets) {
        EXPECT_EQ(spacePresetFromRaw(rawValue(preset)), preset);
        EXPECT_TRUE(filter(preset).largestFirst);
        EXPECT_FALSE(filter(preset).includeReviewed);
        EXPECT_FALSE(filter(preset).volumeDevice.has_value());
        EXPECT_FALSE(filter(preset).folderPath.has_value());
    }
    EXPECT_EQ(rawValue(SpacePreset::oldVideos), "oldVideos");
    EXPECT_FALSE(spacePresetFromRaw("Large").has_value());
    EXPECT_FALSE(spacePresetFromRaw("").has_value());
    EXPECT_EQ(filter(SpacePreset::archives).minimumSize, 100'000'000);
    EXPECT_EQ(filter(SpacePreset::archives).olderThanDays, 30);
}

TEST_F(InsightAccumulatorTest, AnOldLargeVideoCountsUnderEachPresetAndOnceAsCandidate)
{
    InsightAccumulator accumulator({root}, now);
    const FileRecord video = at("Movies/trip.mov", {.size = 2'000'000'000,
                                                    .modified = now - 200 * day,
                                                    .kind = "video",
                                                    .allocatedSize = 2'000'003'072})
                                 .record();
    const FileInsights insights = accumulator.append({video});

    const FileTally one{1, 2'000'000'000};
    EXPECT_EQ(insights.tally(SpacePreset::large), one);
    EXPECT_EQ(insights.tally(SpacePreset::oldVideos), one);
    EXPECT_EQ(insights.tally(SpacePreset::creator), one);
    EXPECT_EQ(insights.tally(SpacePreset::downloads), FileTally{});
    EXPECT_EQ(insights.tally(SpacePreset::large, 2049), one);
    EXPECT_EQ(insights.tally(SpacePreset::large, 7), FileTally{});
    EXPECT_EQ(insights.candidates, (FileTally{1, 2'000'003'072}));
    EXPECT_EQ(insights.allocatedBytes, 2'000'003'072);
    EXPECT_EQ(insights.tally(FileFilter::videos), one);
    EXPECT_EQ(insights.tally(FileFilter::all), one);
    EXPECT_EQ(insights.tally(FileFilter::images), FileTally{});
    EXPECT_EQ(insights.sources.at(root), one);
}

TEST_F(InsightAccumulatorTest,
       PresetLimitsAreInclusiveForSizeAndStrictForAgeAndOnlyAvailableFilesAreCandidates)
{
    InsightAccumulator accumulator({root}, now);
    FileInsights insights = accumulator.append({
        at("a.bin", {.inode = 1, .size = 1'000'000'000, .kind = "other"}).record(),
        at("b.bin", {.inode = 2, .size = 999'999'999, .kind = "other"}).record(),
        // Exactly 30 days old is not older than 30 days.
        at("c.zip",
           {.inode = 3, .size = 100'000'000, .modified = now - 30 * day, .kind = "archive"})
            .record(),
        at("d.zip",
           {.inode = 4, .size = 100'000'000, .modified = now - 30 * day - 1, .kind = "archive"})
            .record(),
        at("Downloads/e.txt",
           {.inode = 5, .size = 10, .modified = now - 31 * day, .kind = "document"})
            .record(),
        at("Screenshot 1.png",
           {.inode = 6, .size = 20, .modified = now - 31 * day, .screenshot = true})
            .record(),
        // Large, but not on this disk: no candidate.
        at("g.bin", {.inode = 7, .size = 1'000'000'000, .kind = "other", .available = false})
            .record(),
    });
    EXPECT_EQ(insights.tally(SpacePreset::large), (FileTally{2, 2'000'000'000}));
    EXPECT_EQ(insights.tally(SpacePreset::archives), (FileTally{1, 100'000'000}));
    EXPECT_EQ(insights.tally(SpacePreset::downloads), (FileTally{1, 10}));
    EXPECT_EQ(insights.tally(SpacePreset::screenshots), (FileTally{1, 20}));
    EXPECT_EQ(insights.tally(FileFilter::screenshots), (FileTally{1, 20}));
    EXPECT_EQ(insights.tally(FileFilter::images), (FileTally{1, 20}));
    // a, d, e and the capture: four candidates at 4096 allocated bytes each.
    EXPECT_EQ(insights.candidates, (FileTally{4, 4 * 4096}));
    EXPECT_EQ(insights.tally(FileFilter::all).count, 7);
}

TEST_F(InsightAccumulatorTest, HardLinksAreAllocatedOnceAndNeverCandidates)
{
    InsightAccumulator accumulator({root}, now);
    const RecordSample link{.inode = 77,
                            .size = 1'500'000'000,
                            .kind = "other",
                            .allocatedSize = 1'500'004'352,
                            .linkCount = 2};
    const FileRecord first = at("one.bin", link).record();
    const FileRecord second = at("two.bin", link).record();

    FileInsights insights = accumulator.append({first, second});
    EXPECT_EQ(insights.allocatedBytes, 1'500'004'352);
    EXPECT_EQ(insights.tally(SpacePreset::large).count, 2);
    EXPECT_EQ(insights.candidates, FileTally{});

    insights = accumulator.remove(first);
    EXPECT_EQ(insights.allocatedBytes, 1'500'004'352);
    insights = accumulator.remove(second);
    EXPECT_EQ(insights.allocatedBytes, 0);
    // Emptied tallies stay, at zero.
    ASSERT_TRUE(insights.presets.contains(SpacePreset::large));
    EXPECT_EQ(insights.presets.at(SpacePreset::large), FileTally{});
    EXPECT_EQ(insights.tally(SpacePreset::large, 2049), FileTally{});
}

TEST_F(InsightAccumulatorTest, NestedAndDuplicateRootsEachCountTheirFiles)
{
    const std::string inner = path::appending(root, "Photos");
    const std::string sibling = root + "Photos"; // a text prefix is not a folder
    InsightAccumulator accumulator({root, inner, root + "/", sibling}, now);
    const FileInsights insights = accumulator.append({at("Photos/x.png", {}).record()});
    EXPECT_EQ(insights.sources.at(root), (FileTally{1, 1000}));
    EXPECT_EQ(insights.sources.at(inner), (FileTally{1, 1000}));
    EXPECT_FALSE(insights.sources.contains(sibling));
    EXPECT_EQ(insights.sources.size(), 2u);
    // The storage tree drops the nested root.
    ASSERT_EQ(accumulator.children(std::nullopt).size(), 1u);
    EXPECT_EQ(accumulator.children(std::nullopt).front().id, root);
}

TEST_F(InsightAccumulatorTest, AHeldPathIsNeverCountedTwiceAndAnUnknownOneNeverRemoved)
{
    InsightAccumulator accumulator({root}, now);
    const FileRecord original = at("a.png", {.size = 10}).record();
    const FileInsights before = accumulator.append({original});

    EXPECT_EQ(accumulator.append({at("a.png", {.inode = 99, .size = 5000}).record()}), before);
    EXPECT_EQ(accumulator.record(original.path()), original);
    EXPECT_EQ(accumulator.remove(at("b.png", {.inode = 13}).record()), before);

    // Removal takes out what is held, whatever the argument says of its size.
    const FileInsights after = accumulator.remove(at("a.png", {.size = 777}).record());
    EXPECT_EQ(after.tally(FileFilter::all), FileTally{});
    EXPECT_EQ(after.allocatedBytes, 0);
    EXPECT_FALSE(accumulator.record(original.path()).has_value());
    EXPECT_TRUE(accumulator.snapshot().empty());
    EXPECT_TRUE(accumulator.children(std::nullopt).empty());

    // Put back, as an undo does.
    EXPECT_EQ(accumulator.append({original}), before);
    EXPECT_EQ(accumulator.children(root).front().bytes, 10);
}

TEST_F(InsightAccumulatorTest, EstimateAndSelectionRunOverTheIndex)
{
    InsightAccumulator accumulator({root}, currentDate());
    accumulator.append({at("a.mov", {.inode = 1, .size = 30, .kind = "video"}).record(),
                        at("b.mov", {.inode = 2, .size = 50, .kind = "video"}).record(),
                        at("c.png", {.inode = 3, .size = 70}).record()});
    SessionFilter videos;
    videos.type = FileFilter::videos;
    videos.largestFirst = true;
    EXPECT_EQ(accumulator.estimate(videos, {}), (FileTally{2, 80}));

    const auto queue = accumulator.selection(videos, {}, std::nullopt, nullptr);
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].size(), 50);
    const PathSet allowed{std::string(queue[1].path())};
    EXPECT_EQ(accumulator.selection(videos, {}, std::nullopt, &allowed).size(), 1u);

    std::stop_source stop;
    stop.request_stop();
    EXPECT_THROW(accumulator.estimate(videos, {}, stop.get_token()), Cancelled);
}

// Every node of the tree, folder by folder from the roots down.
std::vector<StorageNode>
everyNode(const std::function<std::vector<StorageNode>(std::optional<std::string_view>)>& children)
{
    std::vector<StorageNode> result = children(std::nullopt);
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (result[i].directory) {
            const std::string folder = result[i].id;
            for (StorageNode& node : children(folder)) {
                result.push_back(std::move(node));
            }
        }
    }
    return result;
}

// The tree is counted beside the scan; what comes out must be what counting in place gives.
TEST_F(InsightAccumulatorTest, AScannedTreeIndexesAsWhenCountedInPlace)
{
    for (int i = 0; i < 120; ++i) {
        const std::string name = "f" + std::to_string(i) + (i % 3 == 0 ? ".png" : ".txt");
        folder.write("tree/" + std::to_string(i % 4) + "/" + std::to_string(i % 7) + "/" + name,
                     std::string(static_cast<std::size_t>(i * 37), 'x'));
    }
    folder.write("tree/loose.mov", "clip");
    std::filesystem::create_hard_link(folder / "tree/loose.mov", folder / "tree/2/link.mov");
    const std::string tree = path::resolved(folder / "tree");
    ScanCursor cursor = FileIndexer::scan({tree}, true, 0, test::unpaused());
    const test::ScanOutcome scanned = test::drain(cursor);
    ASSERT_TRUE(scanned.issues.empty());

    InsightAccumulator accumulator({tree}, now);
    StorageTree storage({tree});
    FileInsights insights;
    const PresetMatchers presets(now);
    std::vector<FileRecord> records;
    for (const auto& batch : scanned.batches) {
        for (const FileRecord& record : batch) {
            records.push_back(record);
            // Several small batches, so that counting overlaps the appends.
            if (records.size() % 9 == 0) {
                accumulator.append({records.end() - 9, records.end()});
            }
        }
    }
    accumulator.append(
        {records.end() - static_cast<std::ptrdiff_t>(records.size() % 9), records.end()});
    ASSERT_EQ(records.size(), 122u);
    for (const FileRecord& record : records) {
        storage.apply(record, +1);
        insights.apply(record, {tree}, presets, +1);
    }
    const auto fromTree = [&storage](std::optional<std::string_view> at) {
        return storage.nodes(at);
    };
    const auto fromIndex = [&accumulator](std::optional<std::string_view> at) {
        return accumulator.children(at);
    };
    EXPECT_EQ(accumulator.snapshot(), records);
    EXPECT_EQ(everyNode(fromIndex), everyNode(fromTree));
    EXPECT_EQ(everyNode(fromIndex).size(), 1u + 5u + 4u * 7u + 120u + 1u);

    // Taking out waits for the counting, then takes the record out of the tree too.
    for (std::size_t i = 0; i < records.size(); i += 5) {
        accumulator.append({records[i + 1]});
        const FileInsights after = accumulator.remove(records[i]);
        storage.apply(records[i], -1);
        insights.apply(records[i], {tree}, presets, -1);
        EXPECT_EQ(after.types, insights.types);
        EXPECT_EQ(after.presets, insights.presets);
        EXPECT_EQ(after.sources, insights.sources);
    }
    EXPECT_EQ(everyNode(fromIndex), everyNode(fromTree));
}

} // namespace
} // namespace tollenvane
