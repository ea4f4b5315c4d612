#include "core/base/Json.h"
#include "core/base/Uuid.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/Bundles.h"
#include "support/RecordPaths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace tollenvane {
namespace {

using test::SortingHarness;

namespace fs = std::filesystem;

TEST(AppModelSession, AFilterSessionQueuesItsFilesInOrderAndKeepsACheckpoint)
{
    SortingHarness harness;
    const std::string small = harness.file("small.png", 100);
    const std::string large = harness.file("large.png", 900);
    harness.file("notes.txt", 500);
    AppModel& model = harness.loadScanned();
    SessionFilter images;
    images.type = FileFilter::images;
    images.largestFirst = true;
    model.setFilter(images);

    model.startSession();
    EXPECT_TRUE(model.sessionActive());
    EXPECT_TRUE(model.busy()); // until the cards are chosen
    harness.settle();

    EXPECT_FALSE(model.busy());
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_EQ(harness.cardPaths(), (std::vector{large, small}));
    EXPECT_EQ(model.queueCount(), 2);
    harness.flush();
    const SavedState saved = harness.stateOnDisk();
    ASSERT_TRUE(saved.pendingSession);
    EXPECT_EQ(saved.pendingSession->filter, images);
    EXPECT_EQ(saved.pendingSession->summary.id, model.summary().id);
    EXPECT_FALSE(saved.pendingSession->selectedPaths);
    EXPECT_TRUE(saved.history.empty());
}

TEST(AppModelSession, AnExplicitSessionShowsExactlyItsFilesInTheirOrder)
{
    SortingHarness harness;
    const std::string first = harness.file("a.png", 100);
    const std::string second = harness.file("b.txt", 900);
    harness.file("c.png", 500);
    AppModel& model = harness.loadScanned();
    harness.decide(Decision::keep); // no session: nothing happens

    model.startSession(std::vector{FileRecord::read(second), FileRecord::read(first)});
    harness.settle();

    EXPECT_EQ(harness.cardPaths(), (std::vector{second, first}));
    ASSERT_TRUE(model.state().pendingSession && model.state().pendingSession->selectedPaths);
    const std::vector<std::string> selected = *model.state().pendingSession->selectedPaths;
    EXPECT_EQ(std::set(selected.begin(), selected.end()), (std::set{first, second}));
}

TEST(AppModelSession, OnlyASessionWithDecisionsEndsWithTheCompletionCue)
{
    SortingHarness harness;
    harness.file("a.png", 100);
    AppModel& model = harness.loadScanned();
    SessionFilter videos;
    videos.type = FileFilter::videos;
    model.setFilter(videos);
    model.startSession();
    harness.settle();

    // Nothing to sort: the session ends at once, silently, and leaves no history.
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(model.page(), Page::summary);
    EXPECT_EQ(harness.played("complete"), 0U);
    EXPECT_TRUE(model.state().history.empty());
    EXPECT_FALSE(model.state().pendingSession);

    harness.startSortingAll();
    harness.decide(Decision::keep);
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(harness.played("complete"), 1U);
    EXPECT_EQ(model.state().history.size(), 1U);
}

// A state file with a paused session over a folder of an external disk, once mounted at
// /media/alice/OLD as device 5.
class PausedOnDisk : public SortingHarness {
public:
    explicit PausedOnDisk(std::optional<std::string> uuid = "2f6c-11",
                          std::string folderPath = "/media/alice/OLD/Films")
    {
        volumes->disks = {{folder / "home", 1, 1000, 500}};
        SessionCheckpoint paused;
        paused.filter.volumeDevice = 5;
        paused.filter.folderPath = std::move(folderPath);
        paused.summary.kept = 2;
        paused.volumeUUID = std::move(uuid);
        paused.volumePath = "/media/alice/OLD";
        pause(paused);
    }

    // The state file of a finished tutorial with this session paused.
    void pause(SessionCheckpoint paused)
    {
        paused.summary.id = uuid::make();
        SavedState saved;
        saved.preferences.onboardingComplete = true;
        saved.pendingSession = paused;
        if (paused.summary.total() >= 1) {
            saved.history.push_back(paused.summary);
        }
        fs::create_directories(fs::path(statePath()).parent_path());
        std::ofstream(statePath()) << saved.toJson().dump();
    }

    void mount(std::string path, std::uint64_t device, std::optional<std::string> uuid)
    {
        volumes->disks.push_back({std::move(path), device, 1000, 500, std::move(uuid)});
    }
};

TEST(AppModelSession, AResumedDiskIsFoundByItsIdentifierElseByItsPathAndItsFolderFollowsIt)
{
    struct Case {
        std::optional<std::string> uuid;
        std::string folder;
        std::string mountedAt;
        std::optional<std::string> mountedUuid;
        std::string resumedFolder;
    };
    const std::vector<Case> cases{
        {"2f6c-11", "/media/alice/OLD/Films", "/media/alice/NEW", "2f6c-11",
         "/media/alice/NEW/Films"},
        // A folder outside the old mount stays as it was.
        {"2f6c-11", "/media/alice/OLDER/Films", "/media/alice/NEW", "2f6c-11",
         "/media/alice/OLDER/Films"},
        {std::nullopt, "/media/alice/OLD/Films", "/media/alice/OLD", std::nullopt,
         "/media/alice/OLD/Films"},
    };
    for (const Case& resumed : cases) {
        SCOPED_TRACE(resumed.folder + " on " + resumed.mountedAt);
        PausedOnDisk harness(resumed.uuid, resumed.folder);
        harness.mount(resumed.mountedAt, 77, resumed.mountedUuid);
        AppModel& model = harness.load();

        model.resumeSession();
        harness.settle();

        EXPECT_EQ(model.filter().volumeDevice, 77U);
        EXPECT_EQ(model.filter().folderPath, resumed.resumedFolder);
        EXPECT_EQ(model.summary().kept, 2);
        EXPECT_FALSE(model.alert());
    }
}

TEST(AppModelSession, ResumingWithoutTheDiskChangesNothing)
{
    PausedOnDisk harness;
    harness.mount("/media/alice/OLD", 5, "other-disk");
    AppModel& model = harness.load();
    const SavedState before = model.state();
    const SessionFilter filter = model.filter();
    const Page page = model.page();

    model.resumeSession();
    harness.settle();

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Disque indisponible");
    EXPECT_EQ(model.alert()->message, "Reconnectez le disque de cette session, actualisez les "
                                      "disques puis reprenez. Votre session est conservée.");
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(model.state(), before);
    EXPECT_EQ(model.filter(), filter);
    EXPECT_EQ(model.page(), page);
}

TEST(AppModelSession, ResumingWhileTheSessionRunsKeepsItsPlace)
{
    SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = *harness.model;
    harness.decide(Decision::later);
    ASSERT_TRUE(model.state().pendingSession);
    const std::vector<std::string> cards = harness.cardPaths();

    model.resumeSession();
    EXPECT_FALSE(model.busy());
    EXPECT_EQ(harness.cardPaths(), cards);
    harness.settle();
    EXPECT_EQ(harness.cardPaths(), cards);
    EXPECT_EQ(model.undoCount(), 1);
}

TEST(AppModelSession, ResumingWithAFolderOutOfReachAsksToRenewIt)
{
    SortingHarness harness;
    harness.startSortingTwo();
    harness.decide(Decision::keep);
    harness.model->flushState();
    harness.settle();
    harness.model.reset();
    fs::remove_all(harness.source);

    AppModel& model = harness.load();
    const SavedState before = model.state();
    model.resumeSession();
    harness.settle();

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Accès à renouveler");
    EXPECT_EQ(model.alert()->message, "Autorisez de nouveau les sources indisponibles avant de "
                                      "reprendre. Votre session est conservée.");
    EXPECT_EQ(model.page(), Page::sources);
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(model.state().pendingSession, before.pendingSession);
}

// Two applications installed and an applications session paused.
class PausedApplications : public PausedOnDisk {
public:
    PausedApplications()
    {
        applicationRoots = {folder / "apps"};
        SessionCheckpoint paused;
        paused.filter.type = FileFilter::applications;
        pause(paused);
    }

    const std::string tool = test::writeBundle(folder / "apps/Tool.app", "org.example.tool");
    const std::string other = test::writeBundle(folder / "apps/Other.app", "org.example.other");
};

// Resumed before or while the applications page's inventory runs, a session lists the
// applications itself and stops that inventory, so no application is listed or dealt twice.
TEST(AppModelSession, AResumedApplicationSessionListsTheApplicationsOnceAndStopsTheInventory)
{
    for (const bool inventoryRunning : {false, true}) {
        SCOPED_TRACE(inventoryRunning ? "inventory running" : "no inventory");
        PausedApplications harness;
        AppModel& model = harness.load();
        if (inventoryRunning) {
            model.scanApplications();
            ASSERT_TRUE(model.scanningApplications());
        }
        ASSERT_TRUE(model.applications().empty());

        model.resumeSession();
        harness.settle();

        EXPECT_FALSE(model.scanningApplications());
        std::vector<std::string> listed = test::pathsOf(model.applications());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, (std::vector{harness.other, harness.tool}));
        const std::vector<std::string> cards = harness.cardPaths();
        EXPECT_EQ(std::multiset(cards.begin(), cards.end()),
                  (std::multiset{harness.other, harness.tool}));
    }
}

} // namespace
} // namespace tollenvane
