#include "app/preview/ThumbnailCache.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/decoding/FileWorkers.h"
#include "app/preview/FileThumbnailer.h"
#include "app/preview/ThumbnailProducer.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThreadPool>
#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace tollenvane {
namespace {

using test::RecordSample;

// Holds every generation until the test hands it its result, so that what runs at once is the
// test's choice and not the scheduler's.
class HeldProducer final : public ThumbnailProducer {
public:
    QImage make(const FileRecord& record) const override
    {
        std::unique_lock lock(mutex_);
        const std::string path(record.path());
        started_.push_back(path);
        ++running_;
        changed_.notify_all();
        changed_.wait(lock, [&] { return results_.contains(path); });
        --running_;
        QImage result = results_.at(path);
        results_.erase(path);
        return result;
    }

    void release(const std::string& path, const QImage& image = QImage(4, 3, QImage::Format_RGB32))
    {
        const std::lock_guard lock(mutex_);
        results_[path] = image;
        changed_.notify_all();
    }
    // Waits off the event loop: generations start on worker threads.
    void awaitRunning(int count) const
    {
        std::unique_lock lock(mutex_);
        const bool reached =
            changed_.wait_for(lock, std::chrono::seconds(10), [&] { return running_ == count; });
        ASSERT_TRUE(reached) << "running " << running_ << ", expected " << count;
    }
    // In no particular order: the workers race to begin.
    std::multiset<std::string> started() const
    {
        const std::lock_guard lock(mutex_);
        return {started_.begin(), started_.end()};
    }

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    mutable std::vector<std::string> started_;
    mutable int running_ = 0;
    mutable std::map<std::string, QImage> results_;
};

// Runs the event loop until `done` holds; a watchdog fails the test instead of hanging it.
template <class Condition>
void processUntil(Condition done)
{
    ASSERT_TRUE(test::processUntil(done));
}

FileRecord sample(const std::string& path)
{
    return RecordSample{.path = path}.record();
}

struct Answer {
    std::optional<QImage> image;
    ThumbnailCache::Delivery into()
    {
        return [this](const QImage& delivered) { image = delivered; };
    }
};

class ThumbnailCacheTest : public ::testing::Test {
protected:
    // A worker still letting go of its job as the program ends would race the end: the test's
    // jobs are all released by now, so they end at once.
    ~ThumbnailCacheTest() override { fileWorkers().waitForDone(10'000); }

    std::shared_ptr<HeldProducer> producer = std::make_shared<HeldProducer>();
    ThumbnailCache cache{producer};
};

TEST(ThumbnailKey, NamesOneVersionOfOneFile)
{
    const RecordSample plain{.device = 7,
                             .inode = 42,
                             .size = 20,
                             .changeSeconds = 900,
                             .changeNanoseconds = 5,
                             .path = "/tmp/x.png"};
    EXPECT_EQ(ThumbnailCache::key(plain.record()), "/tmp/x.png|7:42|900.5|20");
    const RecordSample odd{.device = 0,
                           .inode = 18'446'744'073'709'551'615ULL,
                           .size = -1,
                           .changeSeconds = -3,
                           .changeNanoseconds = 0,
                           .path = "/a b/é|x"};
    EXPECT_EQ(ThumbnailCache::key(odd.record()), "/a b/é|x|0:18446744073709551615|-3.0|-1");

    const test::TempDir folder;
    const std::string path = folder.write("photo.png", "one");
    const std::string before = ThumbnailCache::key(FileRecord::read(path));
    // Change times move on with the kernel's clock tick, not with every call.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::setModified(path, 1'000); // a touch changes the change time
    const std::string touched = ThumbnailCache::key(FileRecord::read(path));
    folder.write("photo.png", "one, grown");
    const std::string grown = ThumbnailCache::key(FileRecord::read(path));
    EXPECT_NE(before, touched);
    EXPECT_NE(touched, grown);
}

TEST(ThumbnailMemory, EvictsTheLeastRecentlyUsedPastEitherLimit)
{
    ThumbnailMemory byCount;
    const QImage small(10, 10, QImage::Format_RGB32);
    for (int i = 0; i <= 48; ++i) {
        byCount.insert(std::to_string(i), small);
        if (i == 40) {
            ASSERT_TRUE(byCount.find("0")); // used again, so "1" is now the oldest
        }
    }
    EXPECT_EQ(byCount.count(), 48U);
    EXPECT_TRUE(byCount.contains("0"));
    EXPECT_FALSE(byCount.contains("1"));

    ThumbnailMemory byCost;
    const QImage large(2048, 2048, QImage::Format_RGB32); // 16 MiB each
    for (const char* key : {"a", "b", "c", "d"}) {
        byCost.insert(key, large);
    }
    EXPECT_EQ(byCost.count(), 3U);
    EXPECT_EQ(byCost.totalCost(), 0x3000000);
    EXPECT_FALSE(byCost.contains("a"));
    byCost.insert("huge", QImage(4096, 4096, QImage::Format_RGB32));
    EXPECT_FALSE(byCost.contains("huge"));
    EXPECT_EQ(byCost.count(), 3U);
}

TEST_F(ThumbnailCacheTest, RequestsForOneVersionShareOneGeneration)
{
    Answer first;
    Answer second;
    const ThumbnailTicket a = cache.thumbnail(sample("/x/a.png"), first.into());
    const ThumbnailTicket b = cache.thumbnail(sample("/x/a.png"), second.into());
    producer->awaitRunning(1);
    const QImage made(8, 6, QImage::Format_RGB32);
    producer->release("/x/a.png", made);
    processUntil([&] { return first.image && second.image; });
    EXPECT_EQ(producer->started().size(), 1U);
    EXPECT_EQ(first.image->cacheKey(), made.cacheKey());
    EXPECT_EQ(second.image->cacheKey(), made.cacheKey());

    Answer cached; // answered at once, from memory
    const ThumbnailTicket c = cache.thumbnail(sample("/x/a.png"), cached.into());
    ASSERT_TRUE(cached.image);
    EXPECT_EQ(cached.image->cacheKey(), made.cacheKey());

    Answer rewritten; // the same file, changed since: never the old picture
    const ThumbnailTicket d = cache.thumbnail(
        RecordSample{.changeNanoseconds = 6, .path = "/x/a.png"}.record(), rewritten.into());
    EXPECT_FALSE(rewritten.image);
    producer->awaitRunning(1);
    producer->release("/x/a.png");
    processUntil([&] { return rewritten.image.has_value(); });
    EXPECT_NE(rewritten.image->cacheKey(), made.cacheKey());
}

TEST_F(ThumbnailCacheTest, NoMoreThanThreeRunAndTheOthersWaitTheirTurn)
{
    std::vector<Answer> answers(6);
    std::vector<ThumbnailTicket> tickets;
    for (const char* name : {"a", "b", "c", "d", "d"}) {
        tickets.push_back(
            cache.thumbnail(sample(std::string("/x/") + name), answers[tickets.size()].into()));
    }
    producer->awaitRunning(3);
    EXPECT_EQ(cache.runningGenerations(), 3);
    EXPECT_EQ(producer->started(), (std::multiset<std::string>{"/x/a", "/x/b", "/x/c"}));

    producer->release("/x/b");
    processUntil([&] { return answers[1].image.has_value(); });
    producer->awaitRunning(3);
    // Both waiting requests for "d" end on the one generation the first of them started.
    producer->release("/x/d");
    processUntil([&] { return answers[3].image && answers[4].image; });
    EXPECT_EQ(producer->started(), (std::multiset<std::string>{"/x/a", "/x/b", "/x/c", "/x/d"}));
    producer->release("/x/a");
    producer->release("/x/c");
    processUntil([&] { return cache.runningGenerations() == 0; });
}

TEST_F(ThumbnailCacheTest, CancellingAWaitingRequestStartsNothing)
{
    Answer ignored;
    std::vector<ThumbnailTicket> running;
    for (const char* path : {"/x/a", "/x/b", "/x/c"}) {
        running.push_back(cache.thumbnail(sample(path), ignored.into()));
    }
    producer->awaitRunning(3);
    Answer cancelled;
    ThumbnailTicket waiting = cache.thumbnail(sample("/x/d"), cancelled.into());
    waiting.cancel();
    for (const char* path : {"/x/a", "/x/b", "/x/c"}) {
        producer->release(path);
    }
    processUntil([&] { return cache.runningGenerations() == 0; });
    EXPECT_EQ(producer->started().size(), 3U);
    EXPECT_FALSE(cancelled.image);
}

TEST_F(ThumbnailCacheTest, ACancelledWaiterLeavesTheGenerationToTheOthers)
{
    Answer leaving;
    Answer staying;
    std::optional<ThumbnailTicket> first = cache.thumbnail(sample("/x/a"), leaving.into());
    const ThumbnailTicket second = cache.thumbnail(sample("/x/a"), staying.into());
    producer->awaitRunning(1);
    first.reset(); // dropping the ticket cancels
    producer->release("/x/a");
    processUntil([&] { return staying.image.has_value(); });
    EXPECT_FALSE(leaving.image);
    EXPECT_FALSE(staying.image->isNull());

    // A caller that owned the generation alone and left still gets it into the cache.
    cache.thumbnail(sample("/x/b"), leaving.into()).cancel();
    producer->awaitRunning(1);
    producer->release("/x/b");
    processUntil([&] { return cache.runningGenerations() == 0; });
    EXPECT_TRUE(cache.memory().contains(ThumbnailCache::key(sample("/x/b"))));
}

TEST_F(ThumbnailCacheTest, AFailureIsNotKeptAndTheNextRequestTriesAgain)
{
    Answer failed;
    const ThumbnailTicket once = cache.thumbnail(sample("/x/a"), failed.into());
    producer->awaitRunning(1);
    producer->release("/x/a", QImage());
    processUntil([&] { return failed.image.has_value(); });
    EXPECT_TRUE(failed.image->isNull());
    EXPECT_EQ(cache.memory().count(), 0U);

    Answer retried;
    const ThumbnailTicket again = cache.thumbnail(sample("/x/a"), retried.into());
    producer->awaitRunning(1);
    producer->release("/x/a");
    processUntil([&] { return retried.image.has_value(); });
    EXPECT_EQ(producer->started().size(), 2U);
    EXPECT_FALSE(retried.image->isNull());
}

TEST_F(ThumbnailCacheTest, AnUnavailableRecordIsAnsweredAtOnceWithNothing)
{
    Answer answer;
    const ThumbnailTicket ticket =
        cache.thumbnail(RecordSample{.available = false}.record(), answer.into());
    ASSERT_TRUE(answer.image);
    EXPECT_TRUE(answer.image->isNull());
    EXPECT_TRUE(producer->started().empty());
}

// Files built to hang a decoder hold their generations no longer than the decoder's deadline,
// so later thumbnails still come; and a cache with such a generation running goes at once.
// Three drawings whose decoding never ends take every slot, and a photo waits for one. Nothing
// they do holds up the main thread, the photo or the cache's end. The answers come in whatever
// order the decoders' deadlines and the machine's load make.
TEST(ThumbnailCacheOfHostileFiles, StuckDecodersHoldUpNothing)
{
    // Decoders an earlier test left to their deadline would be counted with these.
    processUntil([] { return test::runningDecoders() == 0; });
    const test::TempDir folder;
    auto cache = std::make_unique<ThumbnailCache>(std::make_shared<FileThumbnailer>());
    const auto record = [&](const std::string& name, const std::string& content) {
        return RecordSample{.path = folder.write(name, content), .kind = "image"}.record();
    };
    std::vector<Answer> answers(4);
    std::vector<ThumbnailTicket> tickets;
    for (int bomb = 0; bomb < 3; ++bomb) {
        tickets.push_back(
            cache->thumbnail(record("bomb" + std::to_string(bomb) + ".svg", test::svgBomb()),
                             answers.at(bomb).into()));
    }
    const QByteArray photo = test::twoColourJpeg({40, 30}, Qt::red, Qt::blue);
    tickets.push_back(
        cache->thumbnail(record("photo.jpg", photo.toStdString()), answers.back().into()));
    // Seen from the main thread: it turns while all three stuck decoders run.
    processUntil([] { return test::runningDecoders() == 3; });
    processUntil([&] {
        return std::all_of(answers.begin(), answers.end(),
                           [](const Answer& answer) { return answer.image.has_value(); });
    });
    EXPECT_EQ(answers.back().image->size(), QSize(40, 30));
    for (int bomb = 0; bomb < 3; ++bomb) {
        EXPECT_TRUE(answers.at(bomb).image->isNull()) << bomb;
    }

    Answer late;
    tickets.push_back(cache->thumbnail(record("late.svg", test::svgBomb()), late.into()));
    processUntil([] { return test::runningDecoders() == 1; });
    cache.reset();
    // The cache went without waiting for the decoder, which runs on to its deadline.
    EXPECT_EQ(test::runningDecoders(), 1);
    EXPECT_FALSE(late.image.has_value());
}

} // namespace
} // namespace tollenvane
