#include "app/shell/TerminationController.h"

#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

using test::ModelHarness;
using test::SortingHarness;

namespace fs = std::filesystem;

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Quitting {
    int quits = 0;
    std::function<void()> quit()
    {
        return [this] { ++quits; };
    }
};

// Lets the controller look `count` more times whether the model is idle, and nothing else run.
bool polls(TerminationController& controller, int count)
{
    auto* poll = controller.findChild<QTimer*>();
    if (poll == nullptr) {
        return false;
    }
    const QSignalSpy polled(poll, &QTimer::timeout);
    return QTest::qWaitFor([&] { return polled.count() >= count; });
}

// Lets the poll, the model's jobs and the flush run until the controller quits.
bool quitsEventually(ModelHarness& harness, const Quitting& quitting)
{
    return QTest::qWaitFor([&] {
        harness.settle();
        return quitting.quits > 0;
    });
}

TEST(TerminationController, WithNothingInFlightWritesOnceAndQuitsWithoutWaiting)
{
    SortingHarness harness;
    AppModel& model = harness.loadScanned();
    harness.flush();
    fs::remove(harness.statePath());
    Quitting quitting;
    TerminationController controller(model, quitting.quit());

    controller.request();
    EXPECT_FALSE(controller.waiting());
    ASSERT_TRUE(quitsEventually(harness, quitting));
    EXPECT_EQ(quitting.quits, 1);
    EXPECT_TRUE(fs::exists(harness.statePath()));
}

TEST(TerminationController, WaitsForTheDecisionInFlightAndASecondRequestJoinsTheFirst)
{
    SortingHarness harness;
    harness.file("a.png", 900);
    AppModel& model = harness.loadScanned();
    model.startSession();
    ASSERT_TRUE(model.busy());
    Quitting quitting;
    TerminationController controller(model, quitting.quit());

    controller.request();
    controller.request();
    EXPECT_TRUE(controller.waiting());
    ASSERT_TRUE(polls(controller, 3));
    EXPECT_EQ(quitting.quits, 0); // nothing ran the model's jobs yet

    ASSERT_TRUE(quitsEventually(harness, quitting));
    // Done: nothing polls any more, and the jobs left quit nothing again.
    EXPECT_FALSE(controller.waiting());
    harness.settle();
    EXPECT_EQ(quitting.quits, 1);
    EXPECT_TRUE(harness.stateOnDisk().pendingSession); // the session that was being prepared
}

// Quitting during start-up once wrote the default state over the user's file.
TEST(TerminationController, WaitsForTheLoadThenWritesTheLoadedState)
{
    SortingHarness harness;
    harness.loadScanned();
    harness.flush();
    harness.model.reset();
    AppModel& model = harness.start();
    ASSERT_TRUE(model.loading());
    Quitting quitting;
    TerminationController controller(model, quitting.quit());

    controller.request();
    EXPECT_TRUE(controller.waiting());
    ASSERT_TRUE(polls(controller, 3));
    EXPECT_EQ(quitting.quits, 0);

    ASSERT_TRUE(quitsEventually(harness, quitting));
    const SavedState written = harness.stateOnDisk();
    EXPECT_TRUE(written.preferences.onboardingComplete);
    EXPECT_EQ(written.sources.size(), 1U);
}

TEST(TerminationController, LeavesACorruptStateFileAsItWasAndTheAlertUp)
{
    ModelHarness harness;
    const std::string corrupt = "{ \"sources\": [ this is not JSON";
    fs::create_directories(fs::path(harness.statePath()).parent_path());
    std::ofstream(harness.statePath(), std::ios::binary) << corrupt;
    AppModel& model = harness.load();
    EXPECT_TRUE(model.alert().has_value());
    Quitting quitting;
    TerminationController controller(model, quitting.quit());

    controller.request();
    ASSERT_TRUE(quitsEventually(harness, quitting));
    EXPECT_EQ(contentOf(harness.statePath()), corrupt);
}

} // namespace
} // namespace tollenvane
