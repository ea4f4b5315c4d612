// The main road on the real thread pool and timers: folders chosen, indexed, sorted, undone, and
// taken up again after a restart.
#include "model/AppModel.h"
#include "model/support/FakeServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

constexpr int patience = 10'000; // ms; only a machine that hangs reaches it

struct RealRun {
    test::TempDir folder;
    std::shared_ptr<test::FakeFolderPanel> panel = std::make_shared<test::FakeFolderPanel>();
    std::unique_ptr<AppModel> model;

    AppModel& start()
    {
        ModelServices services = ModelServices::system(panel);
        services.soundPlayer = std::make_shared<test::RecordingSoundPlayer>(); // no audio device
        model =
            std::make_unique<AppModel>(StateStore(folder / "data/state.json"), std::move(services));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !model->loading(); }, patience));
        return *model;
    }

    // Until the decision, the undo or the preparation in flight is over.
    void awaitIdle() const
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !model->busy(); }, patience));
    }
};

TEST(AppModelEndToEnd, SortsUndoesQuitsAndResumes)
{
    RealRun run;
    const std::string photos = run.folder.makeFolder("home/Photos");
    const std::string album = run.folder.makeFolder("home/Album");
    const std::string large = run.folder.write("home/Photos/large.png", std::string(3000, 'l'));
    const std::string medium =
        run.folder.write("home/Photos/deep/medium.png", std::string(2000, 'm'));
    run.folder.write("home/Photos/small.txt", std::string(1000, 's'));

    AppModel& model = run.start();
    run.panel->answer = {photos};
    model.chooseFolders(false);
    model.finishOnboarding();
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.lastScan().has_value(); }, patience));
    EXPECT_EQ(model.indexedCount(), 3);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 6000);

    run.panel->answer = {album};
    model.chooseFolders(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.statuses().size() == 2; }, patience));
    ASSERT_EQ(model.state().destinations.size(), 1U);
    const std::optional<std::string> chosen =
        model.statuses().at(model.state().destinations.front().id).location;
    ASSERT_TRUE(chosen);
    const std::string destination = *chosen;

    SessionFilter largestFirst;
    largestFirst.largestFirst = true;
    model.setFilter(largestFirst);
    model.startSession();
    run.awaitIdle();
    ASSERT_EQ(model.queueCount(), 3);

    model.act(Decision::trash, std::nullopt, false);
    run.awaitIdle();
    EXPECT_FALSE(fs::exists(large));
    model.act(Decision::move, destination, false);
    run.awaitIdle();
    EXPECT_TRUE(fs::exists(destination + "/medium.png"));
    EXPECT_EQ(model.indexedCount(), 1);

    model.undo();
    run.awaitIdle();
    EXPECT_TRUE(fs::exists(medium));
    EXPECT_FALSE(fs::exists(destination + "/medium.png"));
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 1);

    // Quitting: the state is written at once, then every job is stopped.
    const QFuture<void> flushed = model.flushState();
    ASSERT_TRUE(QTest::qWaitFor([&] { return flushed.isFinished(); }, patience));
    model.shutdown();
    run.model.reset();

    AppModel& again = run.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.resumeReady() && again.lastScan(); }, patience));
    ASSERT_TRUE(again.canResume());
    again.resumeSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return again.sessionActive() && !again.busy(); }, patience));
    EXPECT_EQ(again.queueCount(), 2);
    EXPECT_EQ(again.undoCount(), 1);
    EXPECT_EQ(again.summary().trashed, 1);

    again.undo();
    run.awaitIdle();
    EXPECT_TRUE(fs::exists(large));
    EXPECT_EQ(again.queueCount(), 3);
    EXPECT_EQ(again.summary().total(), 0);
    EXPECT_EQ(again.indexedCount(), 3);
    again.shutdown();
}

} // namespace
} // namespace tollenvane
