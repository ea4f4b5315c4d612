#include "core/platform/VolumeIdentityCache.h"

#include "core/platform/VolumeIdentity.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tollenvane {
namespace {

struct CountingProbe {
    int reads = 0;
    std::function<void()> during;

    VolumeIdentityCache::Probe probe()
    {
        return [this](const std::string& path) -> std::optional<std::string> {
            ++reads;
            if (during) {
                during();
            }
            if (path.starts_with("/failing")) {
                throw std::runtime_error("unreadable");
            }
            if (path.starts_with("/none")) {
                return std::nullopt;
            }
            return "UUID-" + path;
        };
    }
};

TEST(VolumeIdentityCache, AnswersByDeviceRemembersAbsenceEmptiesWholeWhenFullAndDropsStaleAnswers)
{
    CountingProbe counter;
    VolumeIdentityCache cache(counter.probe());
    EXPECT_EQ(cache.uuid("/a", 1), "UUID-/a");
    EXPECT_EQ(cache.uuid("/b", 1), "UUID-/a"); // the device decides, not the path
    EXPECT_EQ(counter.reads, 1);

    EXPECT_EQ(cache.uuid("/failing", 2), std::nullopt);
    EXPECT_EQ(cache.uuid("/c", 2), std::nullopt);
    EXPECT_EQ(cache.uuid("/none", 3), std::nullopt);
    EXPECT_EQ(cache.uuid("/c", 3), std::nullopt);
    EXPECT_EQ(counter.reads, 3);

    cache.invalidate();
    EXPECT_EQ(cache.uuid("/c", 2), "UUID-/c");
    EXPECT_EQ(counter.reads, 4);

    EXPECT_THROW(cache.freshUUID("/failing"), std::runtime_error);
    EXPECT_EQ(cache.freshUUID("/d"), "UUID-/d");
    EXPECT_EQ(cache.cachedCount(), 1u); // fresh reads never touch the cache

    // Full, it empties itself whole.
    cache.invalidate();
    for (std::uint64_t device = 0; device < VolumeIdentityCache::capacity; ++device) {
        cache.uuid("/v", device);
    }
    EXPECT_EQ(cache.cachedCount(), 64u);
    cache.uuid("/v", 64);
    EXPECT_EQ(cache.cachedCount(), 1u);
    const int reads = counter.reads;
    cache.uuid("/v", 64);
    cache.uuid("/v", 0);
    EXPECT_EQ(counter.reads, reads + 1);

    // Every invalidation, even of an empty cache, is a new generation; an answer read across
    // one is not stored.
    cache.invalidate();
    const std::uint64_t generation = cache.generation();
    cache.invalidate();
    EXPECT_EQ(cache.generation(), generation + 1);
    counter.during = [&cache] { cache.invalidate(); };
    EXPECT_EQ(cache.uuid("/a", 1), "UUID-/a");
    EXPECT_EQ(cache.cachedCount(), 0u);
    counter.during = nullptr;
    const int before = counter.reads;
    cache.uuid("/a", 1);
    cache.uuid("/a", 1);
    EXPECT_EQ(counter.reads, before + 1);
    EXPECT_EQ(cache.cachedCount(), 1u);
}

TEST(VolumeIdentity, TheSystemLookupAnswersForRealFolders)
{
    // Machines without a by-uuid folder have no UUIDs at all; the lookup must still answer.
    const test::TempDir dir;
    const auto fresh = VolumeIdentity::freshUUID(dir.path());
    EXPECT_EQ(VolumeIdentity::uuid(dir.path(), 0xfffffffe), fresh);
}

} // namespace
} // namespace tollenvane
