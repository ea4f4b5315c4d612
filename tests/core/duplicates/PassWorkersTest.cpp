#include "core/duplicates/PassWorkers.h"

#include "core/base/Sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <numeric>
#include <set>
#include <thread>

namespace tollenvane {
namespace {

std::string contentOf(std::size_t position)
{
    return "file " + std::to_string(position);
}

PassKey keyOf(std::size_t position)
{
    Sha256 hash;
    hash.update(contentOf(position));
    return hash.finish();
}

// Files whose position is a multiple of three are not in the page cache; those of seven drop out.
TEST(PassWorkers, WhatTheCacheCannotServeIsReadAfterwardsByOneThreadInTheOrderGiven)
{
    constexpr std::size_t files = 60;
    std::vector<std::size_t> order(files);
    std::iota(order.rbegin(), order.rend(), std::size_t{0});
    for (const unsigned hashers : {1u, 3u}) {
        SCOPED_TRACE(hashers);
        std::mutex mutex;
        std::vector<std::size_t> fromDisk;
        std::set<std::thread::id> diskThreads;
        const auto feedText = [](HashFeed& feed, const std::string& text) {
            const std::span<std::byte> room = feed.room(text.size());
            std::memcpy(room.data(), text.data(), room.size());
            feed.fill(room.size());
        };
        const PassWorkers::Job job = [&](std::size_t position, HashFeed& feed,
                                         VerifiedFile::Reach reach,
                                         const std::stop_token&) -> std::optional<PassKey> {
            if (reach == VerifiedFile::Reach::disk) {
                const std::lock_guard lock(mutex);
                fromDisk.push_back(position);
                diskThreads.insert(std::this_thread::get_id());
            }
            if (position % 3 == 0 && reach == VerifiedFile::Reach::cacheOnly) {
                // Half read when the cache runs out: none of it may end in the key.
                feedText(feed, "stale");
                throw VerifiedFile::NotCached{};
            }
            if (position % 7 == 0) {
                return std::nullopt;
            }
            feedText(feed, contentOf(position));
            return PassKey{};
        };
        std::vector<std::size_t> told;
        const auto keys = PassWorkers::run(order, {1, hashers, 4}, 64, {}, job,
                                           [&](std::size_t count) { told.push_back(count); });

        std::vector<std::size_t> expectedTold(files);
        std::iota(expectedTold.begin(), expectedTold.end(), std::size_t{1});
        EXPECT_EQ(told, expectedTold);
        for (std::size_t position = 0; position < files; ++position) {
            EXPECT_EQ(keys[position],
                      position % 7 == 0 ? std::nullopt : std::optional(keyOf(position)))
                << position;
        }
        std::vector<std::size_t> expectedFromDisk;
        std::copy_if(order.begin(), order.end(), std::back_inserter(expectedFromDisk),
                     [](std::size_t position) { return position % 3 == 0; });
        EXPECT_EQ(fromDisk, expectedFromDisk);
        EXPECT_EQ(diskThreads, std::set{std::this_thread::get_id()});
    }
}

} // namespace
} // namespace tollenvane
