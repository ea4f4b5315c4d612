#include "core/insights/RecordStore.h"

#include "support/RecordSample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace tollenvane {
namespace {

using test::RecordSample;

FileRecord record(int name, std::uint64_t inode)
{
    return RecordSample{.inode = inode, .path = "/r/" + std::to_string(name)}.record();
}

// A batch, repeats within it and paths held before included, is added as one record at a time.
TEST(RecordStore, AddsABatchAsOneRecordAtATime)
{
    std::mt19937 random(11);
    RecordStore single;
    RecordStore batched;
    for (int round = 0; round < 300; ++round) {
        std::vector<FileRecord> batch;
        for (std::size_t n = random() % 40; n > 0; --n) {
            batch.push_back(record(static_cast<int>(random() % 2000), random() % 900));
        }
        std::vector<RecordStore::Insertion> expected;
        for (const FileRecord& one : batch) {
            expected.push_back(single.add(one));
        }
        const auto insertions = batched.add(std::move(batch));
        ASSERT_EQ(insertions.size(), expected.size());
        for (std::size_t i = 0; i < insertions.size(); ++i) {
            ASSERT_EQ(insertions[i].record == nullptr, expected[i].record == nullptr);
            if (insertions[i].record != nullptr) {
                EXPECT_EQ(*insertions[i].record, *expected[i].record);
                EXPECT_EQ(insertions[i].firstOfItsFile, expected[i].firstOfItsFile);
            }
        }
    }
    EXPECT_TRUE(std::equal(single.begin(), single.end(), batched.begin(), batched.end()));
    EXPECT_GT(batched.size(), 1000u);
}

// Thousands of random insertions and removals against a plain map: every record stays findable
// by path and by file, however often the store fills holes and its indexes shift entries.
TEST(RecordStore, StaysFaithfulThroughRandomInsertionsAndRemovals)
{
    std::mt19937 random(7);
    RecordStore store;
    std::map<std::string, std::uint64_t> expected; // path to inode
    for (int step = 0; step < 40'000; ++step) {
        const int name = static_cast<int>(random() % 3000);
        const std::uint64_t inode = random() % 1500; // many paths share a file
        const std::string path = "/r/" + std::to_string(name);
        if (step % 5000 == 0) {
            store.reserve(store.size() + 2000); // room made ahead changes nothing found
        }
        if (random() % 3 != 0) {
            const bool sharesItsFile =
                std::any_of(expected.begin(), expected.end(),
                            [inode](const auto& held) { return held.second == inode; });
            const auto added = store.add(record(name, inode));
            EXPECT_EQ(added.record != nullptr, expected.emplace(path, inode).second);
            if (added.record != nullptr) {
                EXPECT_EQ(added.firstOfItsFile, !sharesItsFile);
            }
        } else {
            const auto taken = store.take(path);
            const auto held = expected.find(path);
            ASSERT_EQ(taken.has_value(), held != expected.end());
            if (taken) {
                EXPECT_EQ(taken->inode(), held->second);
                expected.erase(held);
            }
        }
    }
    ASSERT_EQ(store.size(), expected.size());
    std::set<std::string> seen;
    for (const FileRecord& held : store) {
        seen.emplace(held.path());
    }
    EXPECT_EQ(seen.size(), expected.size());
    std::map<std::uint64_t, std::size_t> sharing;
    for (const auto& [path, inode] : expected) {
        const FileRecord* found = store.find(path);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->inode(), inode);
        ++sharing[inode];
    }
    for (std::uint64_t inode = 0; inode < 1500; ++inode) {
        const FileIdentity identity{2049, inode};
        EXPECT_EQ(store.holders(identity, 1000), sharing[inode]);
        EXPECT_EQ(store.holders(identity, 1), std::min<std::size_t>(sharing[inode], 1));
    }
    EXPECT_EQ(store.find("/r/none"), nullptr);
}

} // namespace
} // namespace tollenvane
