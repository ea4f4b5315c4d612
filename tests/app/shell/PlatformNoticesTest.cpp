#include "app/shell/PlatformNotices.h"

#include "model/support/ModelHarness.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace tollenvane {
namespace {

using test::ModelHarness;

TEST(PlatformNotices, RefreshesRunningApplicationsOnlyWhenTheSetChanged)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    std::vector<std::string> running{"/opt/Editor.app", "/opt/Player.app"};
    PlatformNotices notices(model, [&running] { return running; });
    QSignalSpy refreshed(&model, &AppModel::runningApplicationPathsChanged);

    notices.pollRunningApplications();
    EXPECT_EQ(refreshed.count(), 0);
    running = {"/opt/Player.app", "/opt/Editor.app"}; // the same set, listed otherwise
    notices.pollRunningApplications();
    EXPECT_EQ(refreshed.count(), 0);

    running.pop_back();
    harness.runningApplications = {"/opt/Player.app"};
    notices.pollRunningApplications();
    ASSERT_EQ(refreshed.count(), 1);
    EXPECT_EQ(model.runningApplicationPaths(), std::set<std::string>{"/opt/Player.app"});
}

TEST(PlatformNotices, AMissingMountTableLeavesTheRestWorking)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    PlatformNotices notices(
        model, [] { return std::vector<std::string>{"/opt/A.app"}; },
        harness.folder / "no-such-mountinfo");
    QSignalSpy refreshed(&model, &AppModel::runningApplicationPathsChanged);
    notices.pollRunningApplications();
    EXPECT_EQ(refreshed.count(), 0);
}

} // namespace
} // namespace tollenvane
