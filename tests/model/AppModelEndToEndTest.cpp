// The main road on the real thread pool and timers: folders chosen, indexed, sorted, undone, and
// taken up again after a restart.
#include "model/support/ThreadedModel.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

using test::ThreadedModel;

TEST(AppModelEndToEnd, SortsUndoesQuitsAndResumes)
{
    ThreadedModel run;
    const std::string photos = run.folder.makeFolder("home/Photos");
    const std::string album = run.folder.makeFolder("home/Album");
    const std::string large = run.folder.write("home/Photos/large.png", std::string(3000, 'l'));
    const std::string medium =
        run.folder.write("home/Photos/deep/medium.png", std::string(2000, 'm'));
    run.folder.write("home/Photos/small.txt", std::string(1000, 's'));

    AppModel& model = run.start();
    run.settle();
    run.panel->answer = {photos};
    model.chooseFolders(false);
    model.finishOnboarding();
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.lastScan().has_value(); }));
    EXPECT_EQ(model.indexedCount(), 3);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 6000);

    run.panel->answer = {album};
    model.chooseFolders(true);
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.statuses().size() == 2; }));
    ASSERT_EQ(model.state().destinations.size(), 1U);
    const std::optional<std::string> chosen =
        model.statuses().at(model.state().destinations.front().id).location;
    ASSERT_TRUE(chosen);
    const std::string destination = *chosen;

    SessionFilter largestFirst;
    largestFirst.largestFirst = true;
    model.setFilter(largestFirst);
    model.startSession();
    run.settle();
    ASSERT_EQ(model.queueCount(), 3);

    model.act(Decision::trash, std::nullopt, false);
    run.settle();
    EXPECT_FALSE(fs::exists(large));
    model.act(Decision::move, destination, false);
    run.settle();
    EXPECT_TRUE(fs::exists(destination + "/medium.png"));
    EXPECT_EQ(model.indexedCount(), 1);

    model.undo();
    run.settle();
    EXPECT_TRUE(fs::exists(medium));
    EXPECT_FALSE(fs::exists(destination + "/medium.png"));
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 1);

    // Quitting: the state is written at once, then every job is stopped.
    ThreadedModel::await(model.flushState());
    model.shutdown();
    run.model.reset();

    AppModel& again = run.start();
    run.settle();
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return again.resumeReady() && again.lastScan(); }));
    ASSERT_TRUE(again.canResume());
    again.resumeSession();
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return again.sessionActive() && !again.busy(); }));
    EXPECT_EQ(again.queueCount(), 2);
    EXPECT_EQ(again.undoCount(), 1);
    EXPECT_EQ(again.summary().trashed, 1);

    again.undo();
    run.settle();
    EXPECT_TRUE(fs::exists(large));
    EXPECT_EQ(again.queueCount(), 3);
    EXPECT_EQ(again.summary().total(), 0);
    EXPECT_EQ(again.indexedCount(), 3);
    again.shutdown();
}

} // namespace
} // namespace tollenvane
