#include "core/base/PlatformError.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <new>
#include <utility>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
using test::SortingHarness;

namespace fs = std::filesystem;

// Every value a field took, in order, as the screens would have seen it.
template <class Value, class Read>
std::shared_ptr<std::vector<Value>> watch(AppModel& model, void (AppModel::*changed)(), Read read)
{
    auto seen = std::make_shared<std::vector<Value>>();
    QObject::connect(&model, changed, [&model, seen, read] { seen->push_back(read(model)); });
    return seen;
}

SessionFilter imagesLargestFirst()
{
    SessionFilter filter;
    filter.type = FileFilter::images;
    filter.largestFirst = true;
    return filter;
}

TEST(AppModelScan, FindsTheSourceFilesEndsWithTheirTotalsAndStartsNoOtherUnasked)
{
    SortingHarness harness;
    harness.file("a.png", 300);
    harness.file("b.txt", 200);
    AppModel& model = harness.loadScanned();

    EXPECT_FALSE(model.scanning());
    EXPECT_EQ(model.indexedCount(), 2);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 500);
    EXPECT_EQ(model.insights().tally(FileFilter::images).count, 1);
    ASSERT_TRUE(model.lastScan());
    EXPECT_LE(*model.lastScan(), harness.time->wallNow());
    EXPECT_EQ(model.issueCount(), 0);
    EXPECT_TRUE(model.scanIssues().empty());

    // Neither by finishing the tutorial twice nor during a session.
    auto scanning = watch<bool>(model, &AppModel::scanningChanged,
                                [](const AppModel& m) { return m.scanning(); });
    model.finishOnboarding();
    harness.settle();
    EXPECT_TRUE(model.state().preferences.onboardingComplete);
    harness.startSortingAll();
    ASSERT_TRUE(model.sessionActive());
    const std::size_t jobs = harness.executor->pending();
    model.scan();
    EXPECT_EQ(harness.executor->pending(), jobs);
    EXPECT_TRUE(scanning->empty());
}

TEST(AppModelScan, ASupersededScanPublishesNothing)
{
    SortingHarness harness;
    harness.file("small.png", 100);
    harness.file("large.png", 5000);
    AppModel& model = harness.loadScanned();
    auto counts = watch<std::int64_t>(model, &AppModel::indexedCountChanged,
                                      [](const AppModel& m) { return m.indexedCount(); });

    model.scan();                                       // sees both files
    harness.executor->runNext(Priority::userInitiated); // its folders resolved
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    harness.executor->runNext(Priority::utility); // its first batch found
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(harness.executor->pending(Priority::normal), 1U); // the batch waits on the index

    Preferences preferences = model.state().preferences;
    preferences.minimumSize = 1000;
    model.setPreferences(preferences);
    model.scan(); // sees the large file only
    harness.settle();

    EXPECT_EQ(model.indexedCount(), 1);
    EXPECT_EQ(*counts, (std::vector<std::int64_t>{0, 0, 1}));
    EXPECT_FALSE(model.scanning());
}

// The walk reads a file, the file is decided, then the walk's batch arrives: the index must
// not take the decided file back.
TEST(AppModelScan, AFileDecidedWhileTheWalkReadsItStaysOutOfTheIndex)
{
    SortingHarness harness;
    const std::string decided = harness.file("a.png", 500);
    harness.file("b.png", 400);
    std::function<void()> whileRead;
    // The walk reads every status itself, on the test's thread, the only one that may reach
    // the model.
    harness.scanOptions.walkerThreads = 1;
    harness.scanOptions.statusReader = [&whileRead](int folderFd, const char* name) {
        const FileStatus status = FileStatus::readAt(folderFd, name);
        if (whileRead && std::string_view(name) == "a.png") {
            std::exchange(whileRead, nullptr)();
        }
        return status;
    };
    AppModel& model = harness.loadScanned();
    model.scan();
    model.startSession(std::vector{FileRecord::read(decided)});
    QCoreApplication::sendPostedEvents(); // the card is dealt before the walk begins
    ASSERT_EQ(harness.cardPaths(), std::vector{decided});
    whileRead = [&] {
        model.act(Decision::trash, std::nullopt, false);
        harness.settle();
    };
    harness.settle();

    ASSERT_FALSE(fs::exists(decided));
    EXPECT_EQ(model.indexedCount(), 1);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 400);
}

TEST(AppModelScan, AScanWhoseIndexFailsEndsAndSaysSo)
{
    SortingHarness harness;
    harness.file("a.png");
    bool failing = false;
    harness.indexAppend = [&failing](InsightAccumulator& index, std::vector<FileRecord> records) {
        if (failing) {
            throw std::bad_alloc();
        }
        return ModelServices::appendToIndex(index, std::move(records));
    };
    AppModel& model = harness.loadScanned();
    failing = true;
    model.scan();
    harness.settle();
    EXPECT_FALSE(model.scanning());
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
}

TEST(AppModelScan, WithoutSourcesTheScanEndsAtOnce)
{
    SortingHarness harness;
    AppModel& model = harness.load();
    model.finishOnboarding();
    EXPECT_TRUE(model.scanning());
    harness.settle();

    EXPECT_FALSE(model.scanning());
    EXPECT_EQ(model.lastScan(), harness.time->wallNow());
    EXPECT_EQ(model.indexedCount(), 0);
    EXPECT_EQ(model.issueCount(), 0);
}

TEST(AppModelScan, EveryProblemIsCountedAndTheRestAreToldInOneLine)
{
    SortingHarness harness;
    for (int index = 0; index < 100; ++index) {
        harness.file("locked-" + std::to_string(index) + ".png");
    }
    harness.file("open.png");
    harness.scanOptions.statusReader = [](int folderFd, const char* name) {
        if (std::string_view(name).starts_with("locked-")) {
            throw PlatformError(EACCES, "statx");
        }
        return FileStatus::readAt(folderFd, name);
    };
    AppModel& model = harness.load();
    for (int index = 0; index < 5; ++index) {
        model.addFolder(harness.folder.makeFolder("lost/" + std::to_string(index)), false);
    }
    model.addFolder(harness.source, false);
    harness.settle();
    fs::remove_all(harness.folder / "lost");

    model.finishOnboarding();
    harness.settle();

    EXPECT_EQ(model.issueCount(), 105);
    ASSERT_EQ(model.scanIssues().size(), 31U);
    EXPECT_TRUE(model.scanIssues()[0].starts_with("0 : ")) << model.scanIssues()[0];
    EXPECT_TRUE(model.scanIssues()[5].starts_with("locked-")) << model.scanIssues()[5];
    EXPECT_EQ(model.scanIssues().back(), "75 autres fichiers inaccessibles ont été ignorés.");
    EXPECT_EQ(model.indexedCount(), 1);
}

TEST(AppModelScan, ARunningSessionTakesNewMatchingFilesOnce)
{
    SortingHarness harness;
    const std::string known = harness.file("known.png", 900);
    AppModel& model = harness.loadScanned();
    const std::string fresh = harness.file("fresh.png", 800);
    harness.file("notes.txt", 700);
    const std::string other = harness.file("other.png", 500);

    // The session starts from the index of the last scan, which holds only the known file,
    // while a new scan is under way.
    model.scan();
    model.setFilter(imagesLargestFirst());
    model.startSession();
    harness.settle();

    EXPECT_FALSE(model.scanning());
    EXPECT_TRUE(model.sessionActive());
    // The files found meanwhile follow the chosen ones, in the order the walk met them.
    std::vector<std::string> cards = harness.cardPaths();
    ASSERT_EQ(cards.size(), 3U);
    EXPECT_EQ(cards.front(), known);
    std::sort(cards.begin() + 1, cards.end());
    EXPECT_EQ(cards, (std::vector<std::string>{known, fresh, other}));
    EXPECT_EQ(model.queueCount(), 3);

    for (int card = 0; card < 3; ++card) {
        harness.decide(Decision::keep);
    }
    ASSERT_FALSE(model.sessionActive());

    // Over chosen files, nothing outside them joins; the chosen one is not queued twice.
    const std::string late = harness.file("late.png", 400);
    harness.file("later.png", 300);
    model.scan();
    model.startSession(std::vector{FileRecord::read(late)});
    harness.settle();

    EXPECT_EQ(harness.cardPaths(), (std::vector<std::string>{late}));
    EXPECT_EQ(model.queueCount(), 1);
}

TEST(AppModelScan, TheLastCardDecidedWhileAScanRunsLeavesTheSessionOpenForWhatItFinds)
{
    SortingHarness harness;
    const std::string known = harness.file("known.png", 900);
    AppModel& model = harness.loadScanned();
    const std::string fresh = harness.file("fresh.png", 800);
    // The session is prepared and decided while the walk waits for its folders.
    const auto settleAllButTheScan = [&harness] {
        do {
            QCoreApplication::sendPostedEvents();
        } while (harness.executor->runNext(Priority::normal));
    };
    model.scan();
    model.setFilter(imagesLargestFirst());
    model.startSession();
    settleAllButTheScan();
    ASSERT_EQ(harness.cardPaths(), std::vector{known});

    model.act(Decision::keep, std::nullopt, false);
    settleAllButTheScan();
    ASSERT_TRUE(model.scanning());
    EXPECT_TRUE(model.sessionActive());
    harness.settle();
    EXPECT_TRUE(model.sessionActive());
    EXPECT_EQ(harness.cardPaths(), std::vector{fresh});
}

TEST(AppModelScan, TheEstimateWaitsAndOnlyTheNewestIsShown)
{
    SortingHarness harness;
    harness.file("a.png", 300);
    harness.file("b.png", 200);
    harness.file("notes.txt", 50);
    AppModel& model = harness.loadScanned();
    auto estimates = watch<std::pair<std::int64_t, std::int64_t>>(
        model, &AppModel::matchingChanged,
        [](const AppModel& m) { return std::pair(m.matchingCount(), m.matchingBytes()); });

    // Two changes at once give one estimate, of the second filter, after the short pause.
    SessionFilter documents;
    documents.type = FileFilter::documents;
    model.setup(imagesLargestFirst());
    model.setFilter(documents);
    EXPECT_TRUE(model.preparingSelection());
    harness.advance(79ms);
    EXPECT_TRUE(estimates->empty());
    harness.advance(1ms);
    ASSERT_EQ(*estimates, (std::vector<std::pair<std::int64_t, std::int64_t>>{{1, 50}}));
    EXPECT_FALSE(model.preparingSelection());

    // New files found by a scan are counted after the long pause, without progress.
    harness.file("c.txt", 25);
    model.scan();
    harness.settle();
    EXPECT_FALSE(model.preparingSelection());
    harness.advance(349ms);
    EXPECT_EQ(estimates->size(), 1U);
    harness.advance(1ms);
    EXPECT_EQ(estimates->back(), std::pair(std::int64_t{2}, std::int64_t{75}));

    // A filter changed while an estimate runs: that estimate is dropped, a new one follows.
    model.setFilter(imagesLargestFirst());
    harness.settle();
    harness.time->advance(80ms);
    ASSERT_EQ(harness.executor->pending(), 1U); // the estimate of the images
    model.setFilter(documents);
    harness.settle();
    EXPECT_EQ(estimates->size(), 2U);
    EXPECT_TRUE(model.preparingSelection());
    harness.advance(80ms);
    EXPECT_EQ(estimates->size(), 3U);
    EXPECT_EQ(estimates->back(), std::pair(std::int64_t{2}, std::int64_t{75}));
    EXPECT_FALSE(model.preparingSelection());

    // Leaving the page hides the progress at once and nothing more is counted.
    model.setFilter(imagesLargestFirst());
    EXPECT_TRUE(model.preparingSelection());
    model.navigate(Page::dashboard);
    EXPECT_FALSE(model.preparingSelection());
    harness.advance(1s);
    EXPECT_EQ(estimates->size(), 3U);

    // The estimates' timers go with the model.
    harness.model.reset();
    harness.advance(1s);
    EXPECT_EQ(harness.time->heldTimers(), 0U);
}

TEST(AppModelScan, ForgettingTheDecisionsCountsTheirFilesAgain)
{
    SortingHarness harness;
    harness.startSortingTwo();
    harness.decide(Decision::keep);
    harness.decide(Decision::keep);
    AppModel& model = *harness.model;
    model.setup(SessionFilter());
    harness.advance(80ms);
    ASSERT_EQ(model.matchingCount(), 0);

    model.resetReviewed();
    harness.advance(80ms);
    EXPECT_EQ(model.matchingCount(), 2);
    EXPECT_EQ(model.matchingBytes(), 900);
}

} // namespace
} // namespace tollenvane
