#include "app/shell/PlatformNotices.h"

#include "model/support/ModelHarness.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace tollenvane {
namespace {

using test::ModelHarness;

TEST(PlatformNotices, RefreshesRunningApplicationsOffTheMainThreadOnlyWhenTheSetChanged)
{
    ModelHarness harness;
    harness.runningApplications = {"/opt/Editor.app", "/opt/Player.app"};
    AppModel& model = harness.load();
    PlatformNotices notices(model);
    QSignalSpy refreshed(&model, &AppModel::runningApplicationPathsChanged);

    notices.pollRunningApplications();
    harness.settle();
    EXPECT_EQ(refreshed.count(), 0);
    // The same set, listed otherwise.
    harness.runningApplications = {"/opt/Player.app", "/opt/Editor.app"};
    notices.pollRunningApplications();
    harness.settle();
    EXPECT_EQ(refreshed.count(), 0);

    harness.runningApplications = {"/opt/Player.app"};
    notices.pollRunningApplications();
    // The processes are read by a job, not by the poll itself.
    EXPECT_EQ(model.runningApplicationPaths().size(), 2U);
    EXPECT_EQ(harness.executor->pending(), 1U);
    harness.settle();
    ASSERT_EQ(refreshed.count(), 1);
    EXPECT_EQ(model.runningApplicationPaths(), std::set<std::string>{"/opt/Player.app"});

    // A poll during a reading waits for it and then reads again: the newest reading stands.
    notices.pollRunningApplications();
    notices.pollRunningApplications();
    EXPECT_EQ(harness.executor->pending(), 1U);
    harness.runningApplications = {};
    ASSERT_TRUE(harness.executor->runNext(Priority::userInitiated));
    harness.runningApplications = {"/opt/Editor.app"};
    harness.settle();
    EXPECT_EQ(refreshed.count(), 3);
    EXPECT_EQ(model.runningApplicationPaths(), std::set<std::string>{"/opt/Editor.app"});
}

TEST(PlatformNotices, AMissingMountTableLeavesTheRestWorking)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    PlatformNotices notices(model, harness.folder / "no-such-mountinfo");
    QSignalSpy refreshed(&model, &AppModel::runningApplicationPathsChanged);
    harness.runningApplications = {"/opt/A.app"};
    notices.pollRunningApplications();
    harness.settle();
    EXPECT_EQ(refreshed.count(), 1);
}

} // namespace
} // namespace tollenvane
