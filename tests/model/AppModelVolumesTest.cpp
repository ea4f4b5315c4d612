#include "core/platform/VolumeIdentity.h"
#include "core/platform/VolumeIdentityCache.h"
#include "model/AppModel.h"
#include "model/support/ModelHarness.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;

constexpr std::uint64_t homeDevice = 2049;
constexpr std::uint64_t diskDevice = 2065;

struct WithVolumes : test::ModelHarness {
    WithVolumes()
    {
        volumes->disks = {{"/home/alice", homeDevice, 500'000'000'000, 120'000'000'000},
                          {"/media/alice/Photos", diskDevice, 64'000'000'000, 3'000'000'000}};
    }

    // Loaded, with the listing of the start-up over and long enough ago.
    AppModel& loaded()
    {
        AppModel& started = load();
        advance(1h);
        volumes->listings = 0;
        return started;
    }
};

TEST(AppModelVolumes, DecisionsListTheVolumesAtMostEveryTwoSeconds)
{
    WithVolumes harness;
    AppModel& model = harness.loaded();
    model.updateDisk(false);
    harness.advance(1s);
    model.updateDisk(false); // 1 s after the first
    EXPECT_EQ(harness.volumes->listings, 1);
    harness.advance(1500ms);
    model.updateDisk(false); // 2.5 s after the first
    harness.settle();
    EXPECT_EQ(harness.volumes->listings, 2);

    harness.advance(2s);
    model.updateDisk(false); // exactly 2 s: still too soon
    harness.settle();
    EXPECT_EQ(harness.volumes->listings, 2);

    // Setting the system clock back does not stop the refreshes.
    harness.time->setWallClock(harness.time->wallNow() - 86'400);
    harness.advance(100ms);
    model.updateDisk(false);
    harness.settle();
    EXPECT_EQ(harness.volumes->listings, 3);
}

TEST(AppModelVolumes, ARequestDuringAListingStartsNothingButAForcedOneForgetsIdentifiers)
{
    WithVolumes harness;
    AppModel& model = harness.loaded();
    model.updateDisk(true);
    const std::uint64_t generation = VolumeIdentity::shared().generation();
    model.updateDisk(false);
    model.updateDisk(true);
    EXPECT_NE(VolumeIdentity::shared().generation(), generation);
    EXPECT_EQ(harness.executor->pending(Priority::utility), 1U);
    harness.settle();
    EXPECT_EQ(harness.volumes->listings, 1);

    model.updateDisk(true); // the listing is over: a forced request needs no wait
    harness.settle();
    EXPECT_EQ(harness.volumes->listings, 2);
}

TEST(AppModelVolumes, StartUpShowsTheFirstVolumeAndAnUnknownOrVanishedSelectionDoesToo)
{
    WithVolumes harness;
    AppModel& model = harness.load();
    ASSERT_EQ(model.volumes().size(), 2U);
    EXPECT_EQ(model.selectedVolumeID(), homeDevice);
    EXPECT_EQ(model.diskTotal(), 500'000'000'000);
    EXPECT_EQ(model.diskFree(), 120'000'000'000);
    EXPECT_EQ(harness.volumes->listings, 1);

    // Choosing a volume opens the chooser on it.
    model.chooseVolume(model.volumes().back());
    EXPECT_EQ(model.selectedVolumeID(), diskDevice);
    EXPECT_EQ(model.diskFree(), 3'000'000'000);
    ASSERT_EQ(harness.panel->requests.size(), 1U);
    EXPECT_EQ(harness.panel->requests.front().startFolder, "/media/alice/Photos");
    EXPECT_TRUE(harness.panel->requests.front().multipleSelection);

    model.setSelectedVolumeID(7);
    model.applySelectedVolume();
    ASSERT_TRUE(model.selectedVolume());
    EXPECT_EQ(model.selectedVolume()->device, homeDevice);
    EXPECT_EQ(model.diskFree(), 120'000'000'000);

    model.setSelectedVolumeID(diskDevice);
    model.applySelectedVolume();
    EXPECT_EQ(model.diskTotal(), 64'000'000'000);
    EXPECT_EQ(model.diskFree(), 3'000'000'000);

    // Still listed: the choice stays.
    model.updateDisk(true);
    harness.settle();
    EXPECT_EQ(model.selectedVolumeID(), diskDevice);

    harness.volumes->disks.pop_back();
    model.updateDisk(true);
    harness.settle();
    EXPECT_EQ(model.selectedVolumeID(), homeDevice);
    ASSERT_TRUE(model.selectedVolume());
    EXPECT_EQ(model.selectedVolume()->path, "/home/alice");
    EXPECT_EQ(model.diskTotal(), 500'000'000'000);

    harness.volumes->disks.clear();
    model.updateDisk(true);
    harness.settle();
    EXPECT_TRUE(model.volumes().empty());
    EXPECT_EQ(model.selectedVolumeID(), std::nullopt);
    EXPECT_EQ(model.selectedVolume(), std::nullopt);
    EXPECT_EQ(model.diskTotal(), 0);
    EXPECT_EQ(model.diskFree(), 0);
}

TEST(AppModelVolumes, AListingCancelledByShutdownChangesNothing)
{
    WithVolumes harness;
    AppModel& model = harness.start();
    harness.executor->runNext(); // the state file
    QCoreApplication::sendPostedEvents();
    harness.executor->runNext(); // the journal
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(harness.executor->pending(Priority::utility), 1U);
    model.shutdown();
    harness.settle();
    EXPECT_TRUE(model.volumes().empty());
    EXPECT_EQ(model.selectedVolumeID(), std::nullopt);
}

TEST(AppModelVolumes, ResumingWaitsForTheGrantsAndForTheVolumesItNeeds)
{
    WithVolumes harness;
    const std::string pictures = harness.folder.makeFolder("Pictures");
    SavedState saved;
    saved.sources.push_back(harness.grants->grant(pictures, false));
    saved.pendingSession = SessionCheckpoint{};
    saved.pendingSession->summary = SessionSummary::start();
    saved.pendingSession->filter.volumeDevice = diskDevice;
    StateStore(harness.statePath()).save(saved);

    AppModel& model = harness.start();
    harness.executor->runNext(); // the state file
    QCoreApplication::sendPostedEvents();
    harness.executor->runNext(); // the journal
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(model.resumeReady()); // grants not resolved
    EXPECT_TRUE(model.canResume());
    harness.executor->runNext(Priority::userInitiated);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(model.resumeReady()); // volumes not listed
    harness.settle();
    EXPECT_TRUE(model.resumeReady());
}

TEST(AppModelVolumes, ARefreshIsPublishedWhileTheListingRuns)
{
    WithVolumes harness;
    AppModel& model = harness.loaded();
    QSignalSpy changes(&model, &AppModel::refreshingVolumesChanged);
    EXPECT_FALSE(model.refreshingVolumes());
    model.updateDisk(true);
    EXPECT_TRUE(model.refreshingVolumes());
    model.updateDisk(true); // joins the running listing
    EXPECT_EQ(changes.count(), 1);
    harness.settle();
    EXPECT_FALSE(model.refreshingVolumes());
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(model.volumes().size(), 2U);
}

// A reading of the running applications slower than the polls is shown all the same, and the
// polls made during it owe one more reading, not one each.
TEST(AppModelVolumes, PollsDuringAReadingOfTheRunningApplicationsWaitForItAndAskOneMore)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const QSignalSpy told(&model, &AppModel::runningApplicationPathsChanged);
    const auto readingEnds = [&] {
        EXPECT_EQ(harness.executor->pending(Priority::userInitiated), 1U);
        harness.executor->runNext(Priority::userInitiated);
        QCoreApplication::sendPostedEvents();
    };

    harness.runningApplications = {"/opt/Slow.app"};
    for (int poll = 0; poll < 5; ++poll) {
        model.refreshRunningApplications();
    }
    readingEnds();
    EXPECT_EQ(model.runningApplicationPaths(), std::set<std::string>{"/opt/Slow.app"});
    EXPECT_EQ(told.count(), 1);

    harness.runningApplications.push_back("/opt/Quick.app");
    readingEnds(); // the one more the polls asked for
    EXPECT_EQ(model.runningApplicationPaths(),
              (std::set<std::string>{"/opt/Quick.app", "/opt/Slow.app"}));
    EXPECT_EQ(told.count(), 2);
    EXPECT_EQ(harness.executor->pending(Priority::userInitiated), 0U);

    // A reading that finds what is shown tells no one.
    model.refreshRunningApplications();
    readingEnds();
    EXPECT_EQ(told.count(), 2);
}

} // namespace
} // namespace tollenvane
