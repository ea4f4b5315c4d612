// The model on the real thread pool and timers: results must come back to the main thread and
// nothing may touch the model from a worker.
#include "core/base/Json.h"
#include "model/AppModel.h"
#include "model/support/FakeServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

constexpr int patience = 10'000; // ms; only a machine that hangs reaches it

struct RealThreads {
    test::TempDir folder;
    std::shared_ptr<test::FakeFolderPanel> panel = std::make_shared<test::FakeFolderPanel>();
    std::shared_ptr<test::CountingAccess> access = std::make_shared<test::CountingAccess>();
    std::unique_ptr<AppModel> model;

    std::string statePath() const { return folder / "state.json"; }

    AppModel& start()
    {
        ModelServices services = ModelServices::system(panel);
        services.access = access;
        model = std::make_unique<AppModel>(StateStore(statePath()), std::move(services));
        return *model;
    }
};

TEST(AppModelThreads, LoadsSavesAndResolvesOnThePool)
{
    RealThreads threads;
    AppModel& model = threads.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !model.loading(); }, patience));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(threads.statePath()); }, patience));

    const std::string pictures = threads.folder.makeFolder("Pictures");
    threads.panel->answer = {pictures};
    model.chooseFolders(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.statuses().size() == 1; }, patience));
    EXPECT_EQ(model.statuses().begin()->second, SourceStatus::at(pictures));

    const QFuture<void> created = model.createDestination("Tri", pictures);
    ASSERT_TRUE(QTest::qWaitFor([&] { return created.isFinished(); }, patience));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.statuses().size() == 2; }, patience));

    const QFuture<void> flushed = model.flushState();
    ASSERT_TRUE(QTest::qWaitFor([&] { return flushed.isFinished(); }, patience));
    std::ifstream in(threads.statePath());
    const SavedState written =
        SavedState::fromJson(json::parse(std::string(std::istreambuf_iterator<char>(in), {})));
    EXPECT_EQ(written.sources, model.state().sources);
    EXPECT_EQ(written.destinations, model.state().destinations);

    model.shutdown();
    EXPECT_TRUE(threads.access->open().empty());
}

TEST(AppModelThreads, AModelDestroyedWhileItsJobsRunLeavesThemHarmless)
{
    RealThreads threads;
    const std::string pictures = threads.folder.makeFolder("Pictures");
    threads.panel->answer = {pictures};
    threads.start().chooseFolders(false);
    threads.model->save();
    threads.model->shutdown();
    threads.model.reset();
    // The jobs still running report to no one; their accesses are given back all the same.
    EXPECT_TRUE(QTest::qWaitFor([&] { return threads.access->open().empty(); }, patience));
    QTest::qWait(50);
    EXPECT_TRUE(threads.access->open().empty());
}

} // namespace
} // namespace tollenvane
