#include "core/base/FileError.h"
#include "core/base/Json.h"
#include "core/base/PlatformError.h"
#include "core/localisation/ErrorText.h"
#include "model/AppModel.h"
#include "model/support/ModelHarness.h"
#include "support/Bundles.h"
#include "support/RecordPaths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <filesystem>
#include <map>

namespace tollenvane {
namespace {

using test::ModelHarness;
using test::pathsOf;

std::vector<std::string> paths(const AppDataReport& report)
{
    std::vector<std::string> found;
    for (const AppDataEntry& entry : report.entries) {
        found.push_back(entry.path);
    }
    return found;
}

// Two application folders and a library of the user's; bundles named "Broken.app" cannot be
// read.
struct WithApplications : ModelHarness {
    std::string machine = folder.makeFolder("opt");
    std::string own = folder.makeFolder("home/Applications");
    std::string editor = test::writeBundle(machine + "/Editor.app", "org.example.editor", "2.1");
    std::string viewer = test::writeBundle(own + "/Viewer.app", "org.example.viewer");
    LibraryFolders library{folder.makeFolder("home/.cache"), folder.makeFolder("home/.local/state"),
                           folder.makeFolder("home/.config"),
                           folder.makeFolder("home/.local/share")};

    WithApplications()
    {
        applicationRoots = {machine, own};
        applicationScanOptions.recordReader = [](const std::string& path, std::stop_token stop) {
            if (path.ends_with("/Broken.app")) {
                throw FileError(FileError::changed);
            }
            return FileRecord::read(path, std::move(stop));
        };
        libraryFolders = [this] { return library; };
    }

    // A state file that remembers these applications as sent to the Trash, the tutorial done.
    void remember(const std::vector<RemovedApplication>& removed)
    {
        SavedState state;
        state.preferences.onboardingComplete = true;
        state.removedApplications = removed;
        folder.write("data/state.json", json::dump(state.toJson()));
    }

    // Data an application left under its identifier; returns the item found.
    std::string leftCache(const std::string& identifier, std::size_t bytes)
    {
        folder.write("home/.cache/" + identifier + "/blob", std::string(bytes, 'x'));
        return library.caches + "/" + identifier;
    }
    std::string leftPreferences(const std::string& identifier, std::size_t bytes)
    {
        folder.write("home/.config/" + identifier + "/settings.ini", std::string(bytes, 'x'));
        return library.preferences + "/" + identifier;
    }
};

TEST(AppModelApplications, TheInventoryListsEachApplicationAndEachProblemOnce)
{
    WithApplications harness;
    test::writeBundle(harness.machine + "/Broken.app", "org.example.broken");
    test::writeBundle(harness.own + "/Broken.app", "org.example.broken.too");
    AppModel& model = harness.load();
    QSignalSpy listed(&model, &AppModel::applicationsChanged);
    // Past its emptying, the inventory only appends: what a screen took stays the list's start.
    std::vector<std::uint64_t> generations;
    QObject::connect(&model, &AppModel::applicationsChanged,
                     [&] { generations.push_back(model.applicationsGeneration()); });

    model.scanApplications();
    EXPECT_TRUE(model.scanningApplications());
    const std::size_t jobs = harness.executor->pending();
    model.scanApplications(); // already listing: nothing more starts
    EXPECT_EQ(harness.executor->pending(), jobs);
    harness.settle();

    EXPECT_FALSE(model.scanningApplications());
    ASSERT_EQ(pathsOf(model.applications()),
              (std::vector<std::string>{harness.editor, harness.viewer}));
    EXPECT_EQ(model.applications().front().applicationVersion(), "2.1");
    EXPECT_EQ(model.applicationIssues(),
              (std::vector<std::string>{"Broken.app : " + errorDescription(FileError::changed)}));
    EXPECT_EQ(listed.count(), 3); // emptied, then one per application
    EXPECT_EQ(generations, std::vector<std::uint64_t>(3, generations.front()));

    // A new inventory starts from nothing: the list and the problems are its own.
    std::filesystem::remove_all(harness.viewer);
    model.scanApplications();
    EXPECT_TRUE(model.applications().empty());
    EXPECT_TRUE(model.applicationIssues().empty());
    harness.settle();
    EXPECT_EQ(pathsOf(model.applications()), std::vector<std::string>{harness.editor});
    EXPECT_EQ(model.applicationIssues().size(), 1U);

    // One stopped by shutdown once its first bundle was read publishes nothing.
    model.scanApplications();
    harness.executor->runNext();
    model.shutdown();
    harness.settle();
    EXPECT_TRUE(model.applications().empty());
    EXPECT_FALSE(model.scanningApplications());
    EXPECT_EQ(harness.executor->pending(), 0U);
}

TEST(AppModelApplications, StoppingTheInventoryClearsItsFlagAtOnceAndDropsItsLateBundle)
{
    WithApplications harness;
    AppModel& model = harness.load();
    QSignalSpy flag(&model, &AppModel::scanningApplicationsChanged);

    model.scanApplications();
    harness.executor->runNext(); // the first bundle is read; its answer is still on its way
    model.stopApplicationScan();
    EXPECT_FALSE(model.scanningApplications());
    EXPECT_EQ(flag.count(), 2);
    harness.settle();
    EXPECT_TRUE(model.applications().empty());
    EXPECT_FALSE(model.scanningApplications());
    EXPECT_EQ(harness.executor->pending(), 0U);

    // The next inventory is the only one: each application once, the flag falling at its end.
    model.scanApplications();
    model.scanApplications();
    harness.settle();
    EXPECT_EQ(pathsOf(model.applications()),
              (std::vector<std::string>{harness.editor, harness.viewer}));
    EXPECT_FALSE(model.scanningApplications());
}

TEST(AppModelApplications, AFailedInventoryOrInspectionEndsSaysSoAndLetsTheNextOneRun)
{
    struct Unexpected {};
    WithApplications harness;
    harness.remember({{"org.example.gone", "Gone.app", harness.machine + "/Gone.app"}});
    const ApplicationScanOptions working = harness.applicationScanOptions;
    harness.applicationScanOptions.recordReader =
        [](const std::string&, std::stop_token) -> FileRecord { throw Unexpected(); };
    harness.libraryFolders = []() -> LibraryFolders { throw PlatformError(ENOENT, "getpwuid"); };
    AppModel& model = harness.load();
    model.scanApplications();
    harness.settle();
    EXPECT_FALSE(model.scanningApplications());
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
    model.dismissAlert();

    model.inspectAppData();
    harness.settle();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
    EXPECT_FALSE(model.scanningAppData());
    EXPECT_EQ(model.appData(), AppDataReport());

    harness.applicationScanOptions = working;
    model.scanApplications();
    harness.settle();
    EXPECT_EQ(model.applications().size(), 2U);
}

TEST(AppModelApplications, TheInspectionReportsWhatRemovedApplicationsLeftBehind)
{
    WithApplications harness;
    harness.remember({{"org.example.gone", "Gone.app", harness.machine + "/Gone.app"},
                      {"org.example.editor", "Editor.app", harness.folder / "old/Editor.app"}});
    const std::string cache = harness.leftCache("org.example.gone", 3000);
    const std::string settings = harness.leftPreferences("org.example.gone", 20);
    harness.leftCache("org.example.editor", 500); // still installed: not leftover data
    AppModel& model = harness.load();

    model.inspectAppData();
    EXPECT_TRUE(model.scanningAppData());
    const std::size_t jobs = harness.executor->pending();
    model.inspectAppData(); // already inspecting
    EXPECT_EQ(harness.executor->pending(), jobs);
    harness.settle();

    EXPECT_FALSE(model.scanningAppData());
    ASSERT_EQ(paths(model.appData()), (std::vector<std::string>{cache, settings}));
    EXPECT_EQ(model.appData().entries.front().owner, "Gone.app");
    EXPECT_EQ(model.appData().entries.front().size, 3000);
    EXPECT_TRUE(model.appData().issues.empty());
}

TEST(AppModelApplications, AStoppedInspectionsLateReportIsDroppedAndTheNextOneShown)
{
    WithApplications harness;
    harness.remember({{"org.example.gone", "Gone.app", harness.machine + "/Gone.app"}});
    const std::string cache = harness.leftCache("org.example.gone", 3000);
    AppModel& model = harness.load();

    model.inspectAppData();
    harness.executor->runNext(); // the report is on its way back
    model.stopAppDataInspection();
    EXPECT_FALSE(model.scanningAppData());
    const std::string settings = harness.leftPreferences("org.example.gone", 20);
    model.inspectAppData();
    QCoreApplication::sendPostedEvents(); // the stopped one's report arrives first
    EXPECT_EQ(model.appData(), AppDataReport());
    EXPECT_TRUE(model.scanningAppData());

    harness.settle();
    EXPECT_EQ(paths(model.appData()), (std::vector<std::string>{cache, settings}));
    EXPECT_FALSE(model.scanningAppData());

    // One stopped before it ran ends quietly.
    model.inspectAppData();
    model.stopAppDataInspection();
    harness.settle();
    EXPECT_FALSE(model.alert());
    EXPECT_EQ(paths(model.appData()), (std::vector<std::string>{cache, settings}));
}

TEST(AppModelApplications, SortingApplicationsStopsTheListingsAndDealsThem)
{
    WithApplications harness;
    const std::string pictures = harness.folder.makeFolder("home/Pictures");
    AppModel& model = harness.load();
    // With nothing removed, the inspection shows the empty report.
    QSignalSpy published(&model, &AppModel::appDataChanged);
    model.inspectAppData();
    harness.settle();
    EXPECT_EQ(published.count(), 1);
    EXPECT_EQ(model.appData(), AppDataReport());
    EXPECT_FALSE(model.scanningAppData());

    model.addFolder(pictures, false);
    model.scanApplications();
    harness.settle();
    const std::vector<FileRecord> listed = model.applications();
    ASSERT_EQ(listed.size(), 2U);
    SessionFilter narrow;
    narrow.minimumSize = 5000;
    narrow.search = "edit";
    model.setFilter(narrow);

    model.scan();
    model.scanApplications();
    QSignalSpy filters(&model, &AppModel::filterChanged);
    model.sortApplications(listed);
    EXPECT_FALSE(model.scanning());
    EXPECT_FALSE(model.scanningApplications());
    EXPECT_EQ(filters.count(), 2);
    SessionFilter applicationsOnly;
    applicationsOnly.type = FileFilter::applications;
    EXPECT_EQ(model.filter(), applicationsOnly);
    harness.settle();

    EXPECT_TRUE(model.sessionActive());
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_EQ(pathsOf(model.pending().remaining()),
              (std::vector<std::string>{harness.editor, harness.viewer}));

    // No listing during a session: not even the lists change.
    const std::vector<FileRecord> during = model.applications();
    model.scanApplications();
    EXPECT_FALSE(model.scanningApplications());
    EXPECT_EQ(model.applications(), during);
    EXPECT_EQ(harness.executor->pending(), 0U);
}

TEST(AppModelApplications, ATrashedApplicationIsRememberedUntilItsDecisionIsUndone)
{
    WithApplications harness;
    const RemovedApplication gone{"org.example.gone", "Gone.app", harness.machine + "/Gone.app"};
    harness.remember({gone});
    const std::string goneCache = harness.leftCache("org.example.gone", 3000);
    const std::string editorCache = harness.leftCache("org.example.editor", 800);
    AppModel& model = harness.load();
    model.scanApplications();
    harness.settle();
    model.inspectAppData();
    harness.settle();
    ASSERT_EQ(paths(model.appData()), std::vector<std::string>{goneCache});
    ASSERT_EQ(pathsOf(model.applications()),
              (std::vector<std::string>{harness.editor, harness.viewer}));

    model.sortApplications({model.applications().front()});
    harness.settle();
    model.inspectAppData();
    const std::uint64_t listedGeneration = model.applicationsGeneration();
    model.act(Decision::trash, std::nullopt, false);
    harness.settle();
    EXPECT_NE(model.applicationsGeneration(), listedGeneration);
    const std::uint64_t trashedGeneration = model.applicationsGeneration();

    EXPECT_FALSE(std::filesystem::exists(harness.editor));
    EXPECT_EQ(pathsOf(model.applications()), std::vector<std::string>{harness.viewer});
    EXPECT_EQ(model.state().removedApplications,
              (std::vector<RemovedApplication>{
                  gone, {"org.example.editor", "Editor.app", harness.editor}}));
    // The inspection under way knew nothing of it: it was stopped and its report dropped.
    EXPECT_FALSE(model.scanningAppData());
    EXPECT_EQ(model.appData(), AppDataReport());

    model.inspectAppData();
    harness.settle();
    EXPECT_EQ(paths(model.appData()), (std::vector<std::string>{goneCache, editorCache}));

    model.undo();
    harness.settle();
    EXPECT_TRUE(std::filesystem::exists(harness.editor));
    EXPECT_EQ(model.state().removedApplications, std::vector<RemovedApplication>{gone});
    EXPECT_EQ(model.appData(), AppDataReport());
    EXPECT_EQ(pathsOf(model.applications()),
              (std::vector<std::string>{harness.viewer, harness.editor}));
    EXPECT_EQ(model.applicationsGeneration(), trashedGeneration); // put back at the end
    // Judged again where the undo read it back.
    ASSERT_EQ(model.applicationStandings().size(), 2U);
    EXPECT_EQ(model.applicationStandings().back(),
              BundleStanding{.resolved = std::filesystem::canonical(harness.editor).string()});
}

TEST(AppModelApplications, EachApplicationIsListedWithItsStandingJudgedBesideItsRecord)
{
    WithApplications harness;
    const std::string real = harness.folder.makeFolder("elsewhere");
    test::writeBundle(real + "/Linked.app", "org.example.linked");
    test::writeBundle(real + "/Vendor.app", "com.apple.vendor");
    const std::string linked = harness.folder.link(real, "home/Linked");
    harness.applicationRoots.push_back(linked);
    AppModel& model = harness.load();
    model.scanApplications();
    harness.settle();

    ASSERT_EQ(model.applicationStandings().size(), model.applications().size());
    std::map<std::string, BundleStanding> judged;
    for (std::size_t at = 0; at < model.applications().size(); ++at) {
        judged[std::string(model.applications()[at].path())] = model.applicationStandings()[at];
    }
    const std::string resolved = std::filesystem::canonical(real).string();
    ASSERT_EQ(judged.size(), 4U);
    EXPECT_EQ(judged[linked + "/Linked.app"], BundleStanding{.resolved = resolved + "/Linked.app"});
    EXPECT_EQ(judged[linked + "/Vendor.app"],
              (BundleStanding{.resolved = resolved + "/Vendor.app", .protectedApplication = true}));
    EXPECT_EQ(judged[harness.editor],
              BundleStanding{.resolved = std::filesystem::canonical(harness.editor).string()});

    // The running applications are read by a job of their own, and told only when they change.
    QSignalSpy running(&model, &AppModel::runningApplicationPathsChanged);
    harness.runningApplications = {resolved + "/Linked.app/"};
    model.refreshRunningApplications();
    EXPECT_TRUE(model.runningApplicationPaths().empty());
    harness.settle();
    EXPECT_EQ(model.runningApplicationPaths(), std::set<std::string>{resolved + "/Linked.app"});
    model.refreshRunningApplications();
    harness.settle();
    EXPECT_EQ(running.count(), 1);
}

} // namespace
} // namespace tollenvane
