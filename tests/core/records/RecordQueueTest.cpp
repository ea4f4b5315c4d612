#include "core/records/RecordQueue.h"

#include "support/RecordSample.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

FileRecord record(int number)
{
    return test::RecordSample{.inode = static_cast<std::uint64_t>(number),
                              .size = number,
                              .path = "/h/card-" + std::to_string(number),
                              .kind = "other"}
        .record();
}

std::vector<FileRecord> records(int from, int to)
{
    std::vector<FileRecord> made;
    for (int number = from; number < to; ++number) {
        made.push_back(record(number));
    }
    return made;
}

std::vector<std::int64_t> sizes(std::span<const FileRecord> view)
{
    std::vector<std::int64_t> result;
    for (const FileRecord& each : view) {
        result.push_back(each.size());
    }
    return result;
}

void pop(RecordQueue& queue, int times)
{
    for (int i = 0; i < times; ++i) {
        ASSERT_TRUE(queue.popFirst());
    }
}

TEST(RecordQueue, TakesAndPutsBackCardsAtTheFront)
{
    RecordQueue empty;
    EXPECT_EQ(empty.popFirst(), std::nullopt);
    EXPECT_EQ(empty.first(), std::nullopt);
    EXPECT_EQ(empty.count(), 0);
    EXPECT_TRUE(empty.remaining().empty());

    RecordQueue queue(records(0, 4));
    EXPECT_EQ(queue.first(), record(0));
    EXPECT_EQ(queue.popFirst(), record(0));
    EXPECT_EQ(queue.popFirst(), record(1));
    EXPECT_EQ(queue.count(), 2);
    EXPECT_EQ(sizes(queue.remaining()), (std::vector<std::int64_t>{2, 3}));

    // Undo: the card returns into the freed slot, nothing shifts.
    queue.prepend(record(1));
    EXPECT_EQ(queue.first(), record(1));
    EXPECT_EQ(queue.count(), 3);
    EXPECT_EQ(queue.head(), 1);
    EXPECT_EQ(queue.storageCount(), 4);

    // A scan still running adds cards behind the last one; the read position stays.
    queue.append(records(4, 6));
    EXPECT_EQ(queue.head(), 1);
    EXPECT_EQ(sizes(queue.remaining()), (std::vector<std::int64_t>{1, 2, 3, 4, 5}));

    // Nothing consumed: the record goes in front of everything.
    RecordQueue fresh(records(0, 2));
    fresh.prepend(record(9));
    EXPECT_EQ(fresh.storageCount(), 3);
    EXPECT_EQ(fresh.head(), 0);
    EXPECT_EQ(sizes(fresh.remaining()), (std::vector<std::int64_t>{9, 0, 1}));

    pop(fresh, 3);
    EXPECT_EQ(fresh.popFirst(), std::nullopt);
    EXPECT_EQ(fresh.count(), 0);
    EXPECT_EQ(fresh.head(), 3);
}

TEST(RecordQueue, DropsConsumedRecordsOnlyWhenManyAndAtLeastHalf)
{
    RecordQueue large(records(0, 3000));
    pop(large, 1023);
    EXPECT_EQ(large.head(), 1023);
    EXPECT_EQ(large.storageCount(), 3000);
    pop(large, 1); // 1024 consumed, but fewer than half of 3000
    EXPECT_EQ(large.head(), 1024);
    EXPECT_EQ(large.storageCount(), 3000);
    pop(large, 475);
    EXPECT_EQ(large.head(), 1499);
    EXPECT_EQ(large.popFirst(), record(1499));
    EXPECT_EQ(large.head(), 0);
    EXPECT_EQ(large.storageCount(), 1500);
    EXPECT_EQ(large.first(), record(1500));
    EXPECT_EQ(large.count(), 1500);

    RecordQueue smaller(records(0, 1500));
    pop(smaller, 1023);
    EXPECT_EQ(smaller.storageCount(), 1500);
    EXPECT_EQ(smaller.popFirst(), record(1023));
    EXPECT_EQ(smaller.head(), 0);
    EXPECT_EQ(smaller.storageCount(), 476);
    EXPECT_EQ(sizes(smaller.remaining()).front(), 1024);
    EXPECT_EQ(sizes(smaller.remaining()).back(), 1499);

    // After a compaction an undone card is inserted at the front again.
    smaller.prepend(record(1023));
    EXPECT_EQ(smaller.storageCount(), 477);
    EXPECT_EQ(smaller.first(), record(1023));
}

} // namespace
} // namespace tollenvane
