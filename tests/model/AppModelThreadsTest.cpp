// The model on the real thread pool and timers: results must come back to the main thread and
// nothing may touch the model from a worker.
#include "core/base/Json.h"
#include "model/support/ThreadedModel.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::ThreadedModel;

TEST(AppModelThreads, LoadsSavesAndResolvesOnThePool)
{
    ThreadedModel threads;
    AppModel& model = threads.start();
    threads.settle();
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return fs::exists(threads.statePath()); }));

    const std::string pictures = threads.folder.makeFolder("Pictures");
    threads.panel->answer = {pictures};
    model.chooseFolders(false);
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.statuses().size() == 1; }));
    EXPECT_EQ(model.statuses().begin()->second, SourceStatus::at(pictures));

    ThreadedModel::await(model.createDestination("Tri", pictures));
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.statuses().size() == 2; }));

    ThreadedModel::await(model.flushState());
    const SavedState written =
        SavedState::fromJson(json::parse(test::readFile(threads.statePath())));
    EXPECT_EQ(written.sources, model.state().sources);
    EXPECT_EQ(written.destinations, model.state().destinations);

    model.shutdown();
    EXPECT_TRUE(threads.access->open().empty());
}

TEST(AppModelThreads, AModelDestroyedWhileItsJobsRunLeavesThemHarmless)
{
    ThreadedModel threads;
    const std::string pictures = threads.folder.makeFolder("Pictures");
    threads.panel->answer = {pictures};
    threads.start().chooseFolders(false);
    threads.model->save();
    threads.model->shutdown();
    threads.model.reset();
    // The jobs still running report to no one; their accesses are given back all the same.
    EXPECT_TRUE(ThreadedModel::waitFor([&] { return threads.access->open().empty(); }));
    QTest::qWait(50);
    EXPECT_TRUE(threads.access->open().empty());
}

} // namespace
} // namespace tollenvane
