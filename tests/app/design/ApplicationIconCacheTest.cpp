#include "app/design/ApplicationIconCache.h"

#include "app/decoding/FileWorkers.h"
#include "app/design/ApplicationIcon.h"
#include "preview/Waiting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace tollenvane {
namespace {

// Counts lookups and answers with a picture of one colour per path.
struct CountingLookup {
    std::shared_ptr<std::atomic<int>> calls = std::make_shared<std::atomic<int>>(0);

    ApplicationIconCache::Lookup function() const
    {
        return [calls = calls](const std::string& path, const std::atomic<bool>&) {
            ++*calls;
            QImage image(20, 10, QImage::Format_ARGB32);
            image.fill(path.ends_with("blue") ? Qt::blue : Qt::red);
            return ApplicationIconSource{image, {}};
        };
    }
};

TEST(ApplicationIconCache, EachPathIsLookedUpOnceAndKeptTillPushedOut)
{
    const CountingLookup lookup;
    ApplicationIconCache cache(lookup.function(), 2);
    int answers = 0;
    QObject receiver;
    for (int i = 0; i < 2; ++i) {
        cache.fetch("/a/tool", &receiver, [&](const QPixmap& icon) {
            EXPECT_FALSE(icon.isNull());
            ++answers;
        });
    }
    EXPECT_TRUE(test::processUntil([&] { return answers == 2; }));
    cache.fetch("/a/tool", &receiver, [&](const QPixmap&) { ++answers; });
    EXPECT_EQ(answers, 3) << "a cached icon answers at once";
    EXPECT_EQ(*lookup.calls, 1);

    // A link and its target are two keys; the least recently used one goes first.
    cache.fetch("/b/link", &receiver, [&](const QPixmap&) { ++answers; });
    cache.fetch("/b/target", &receiver, [&](const QPixmap&) { ++answers; });
    EXPECT_TRUE(test::processUntil([&] { return answers == 5; }));
    EXPECT_EQ(*lookup.calls, 3);
    EXPECT_FALSE(cache.cached("/a/tool").has_value());
    EXPECT_TRUE(cache.cached("/b/link").has_value());
}

TEST(ApplicationIconCache, AnswerForAGoneReceiverIsStillKept)
{
    const CountingLookup lookup;
    ApplicationIconCache cache(lookup.function(), 8);
    bool answered = false;
    auto receiver = std::make_unique<QObject>();
    cache.fetch("/gone", receiver.get(), [&](const QPixmap&) { answered = true; });
    receiver.reset();
    EXPECT_TRUE(test::processUntil([&] { return cache.cached("/gone").has_value(); }));
    EXPECT_FALSE(answered);
}

// Quitting destroys the cache while a lookup may still hang on a file: it waits for none, and the
// lookup is told to give up. The lookup hangs until the cache is gone; a cache that waited for it
// would have it give up of itself instead, after a long while.
TEST(ApplicationIconCache, GoingWaitsForNoLookup)
{
    struct Hang {
        std::mutex mutex;
        std::condition_variable changed;
        bool started = false;
        bool cacheGone = false;
        bool toldToGiveUp = false;
        bool outlivedTheCache = false;
    };
    auto hang = std::make_shared<Hang>();
    auto cache = std::make_unique<ApplicationIconCache>(
        [hang](const std::string&, const std::atomic<bool>& abandoned) {
            std::unique_lock lock(hang->mutex);
            hang->started = true;
            hang->changed.notify_all();
            hang->outlivedTheCache = hang->changed.wait_for(lock, std::chrono::seconds(60),
                                                            [&] { return hang->cacheGone; });
            hang->toldToGiveUp = abandoned.load();
            return ApplicationIconSource{};
        },
        8);
    QObject receiver;
    bool answered = false;
    cache->fetch("/hangs", &receiver, [&](const QPixmap&) { answered = true; });
    {
        std::unique_lock lock(hang->mutex);
        hang->changed.wait(lock, [&] { return hang->started; });
    }
    cache.reset();
    {
        const std::lock_guard lock(hang->mutex);
        hang->cacheGone = true;
    }
    hang->changed.notify_all();
    EXPECT_TRUE(test::processUntil([&] {
        const std::lock_guard lock(hang->mutex);
        return hang->outlivedTheCache && hang->toldToGiveUp;
    }));
    // Whatever the lookup's end would deliver has been sent once the workers are idle.
    ASSERT_TRUE(fileWorkers().waitForDone(15'000));
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(answered);
}

TEST(ApplicationIcon, ShowsThePlaceholderThenTheIconScaledToFit)
{
    const CountingLookup lookup;
    ApplicationIconCache cache(lookup.function(), 8);
    ApplicationIcon icon(cache);
    icon.resize(100, 100);
    const QImage placeholder = icon.grab().toImage();
    const QColor background = placeholder.pixelColor(0, 0);
    EXPECT_FALSE(icon.hasIcon());
    EXPECT_EQ(placeholder.pixelColor(25, 50), background) << "the placeholder is 42 wide";
    EXPECT_NE(placeholder.pixelColor(50, 50), background);

    icon.setPath("/apps/Tool.app");
    EXPECT_TRUE(test::processUntil([&] { return icon.hasIcon(); }));
    QImage shown = icon.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 50).rgb(), QColor(Qt::red).rgb()) << "20 by 10 fills the width";
    EXPECT_EQ(shown.pixelColor(50, 10), background);

    // The old icon stays until the new one arrives.
    QSignalSpy changed(&icon, &ApplicationIcon::iconChanged);
    icon.setPath("/apps/Other.blue");
    EXPECT_EQ(icon.grab().toImage().pixelColor(50, 50).rgb(), QColor(Qt::red).rgb());
    EXPECT_TRUE(test::processUntil([&] { return changed.count() == 1; }));
    shown = icon.grab().toImage();
    EXPECT_EQ(shown.pixelColor(50, 50).rgb(), QColor(Qt::blue).rgb());
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    shown.save(TOLLENVANE_SCREENSHOTS "/application-icon.png");
}

} // namespace
} // namespace tollenvane
