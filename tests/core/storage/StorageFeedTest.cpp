#include "core/storage/StorageFeed.h"

#include "core/base/Path.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

using test::RecordSample;

// Every folder of the tree, as `nodes` lists them from the roots down.
std::vector<StorageNode> everyNode(const StorageTree& tree)
{
    std::vector<StorageNode> all;
    std::vector<std::optional<std::string>> folders{std::nullopt};
    while (!folders.empty()) {
        const std::optional<std::string> folder = folders.back();
        folders.pop_back();
        for (const StorageNode& node : tree.nodes(folder)) {
            all.push_back(node);
            if (node.directory) {
                folders.emplace_back(node.id);
            }
        }
    }
    return all;
}

TEST(StorageFeed, CountsWhatWasHandedOverWhateverTheBatchesBeforeAnyRead)
{
    const test::TempDir folder;
    const std::string root = path::resolved(folder.makeFolder("Doc"));
    std::deque<FileRecord> records; // where the feed may point: never moved
    for (int i = 0; i < 3 * static_cast<int>(StorageFeed::wakeAfter) + 7; ++i) {
        const std::string path = root + "/f" + std::to_string(i % 13) + "/g" +
                                 std::to_string(i % 5) + "/file" + std::to_string(i);
        records.push_back(RecordSample{.size = i % 97, .path = path}.record());
    }
    StorageTree alone{{root}};
    StorageFeed feed{StorageTree{{root}}};
    std::size_t handed = 0;
    // Small batches that never wake the thread, large ones that do, a read between them.
    for (const std::size_t size : {std::size_t{3}, std::size_t{500}, StorageFeed::wakeAfter + 1,
                                   std::size_t{1}, StorageFeed::wakeAfter * 2}) {
        std::vector<const FileRecord*> batch;
        for (; batch.size() < size && handed < records.size(); ++handed) {
            batch.push_back(&records[handed]);
            alone.apply(records[handed], +1);
        }
        feed.add(std::move(batch));
        if (size == 500) {
            EXPECT_EQ(everyNode(feed.settled()), everyNode(alone));
        }
    }
    ASSERT_EQ(handed, records.size());
    EXPECT_EQ(everyNode(feed.settled()), everyNode(alone));
    // Taken out again through the settled tree, as the index does.
    feed.settled().apply(records.front(), -1);
    alone.apply(records.front(), -1);
    EXPECT_EQ(everyNode(feed.settled()), everyNode(alone));
}

} // namespace
} // namespace tollenvane
