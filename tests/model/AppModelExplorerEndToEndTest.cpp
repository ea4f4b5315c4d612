// Duplicates and applications from start to end on the real thread pool and timers, over
// temporary folders: find copies and sort them, list applications, send one to the Trash and
// inspect what it left behind.
#include "core/applications/ApplicationFolderRegistry.h"
#include "core/platform/XdgFolders.h"
#include "model/support/ThreadedModel.h"
#include "support/Bundles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

using test::ThreadedModel;

struct Desk : ThreadedModel {
    std::string pictures = folder.makeFolder("home/Pictures");
    std::string applications = folder.makeFolder("home/Applications");

    AppModel& start()
    {
        ModelServices made = services();
        made.applicationScan = [roots = std::vector{applications}] {
            return ApplicationCursor(roots);
        };
        made.applicationRegistry =
            [roots = std::vector{applications}]() -> std::shared_ptr<const ApplicationRegistry> {
            return std::make_shared<ApplicationFolderRegistry>(roots);
        };
        return ThreadedModel::start(std::move(made));
    }
};

std::string trashed(const std::string& name)
{
    return XdgFolders::dataHome() + "/Trash/files/" + name;
}

TEST(AppModelExplorerEndToEnd, CopiesAndAnApplicationGoToTheTrashAndTheLeftoversShow)
{
    Desk desk;
    const std::string photo(50'000, 'p');
    const std::string kept = desk.folder.write("home/Pictures/sea.jpg", photo);
    const std::string copy = desk.folder.write("home/Pictures/sea copy.jpg", photo);
    const std::string other = desk.folder.write("home/Pictures/old/sea 2.jpg", photo);
    desk.folder.write("home/Pictures/sky.jpg", std::string(50'000, 's'));
    const std::string tool =
        test::writeBundle(desk.applications + "/Tool.app", "org.example.tool", "1.0");
    const LibraryFolders library = LibraryFolders::current();
    const std::string cache = library.caches + "/org.example.tool";
    fs::create_directories(cache);
    std::ofstream(cache + "/thumbnails.db") << std::string(7000, 'c');

    AppModel& model = desk.start();
    desk.settle();
    desk.panel->answer = {desk.pictures};
    model.chooseFolders(false);
    model.finishOnboarding();
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.lastScan().has_value(); }));
    desk.settle();
    EXPECT_EQ(model.indexedCount(), 4);

    // The copies.
    model.findDuplicates();
    desk.settle();
    ASSERT_EQ(model.duplicateGroups().size(), 1U);
    const DuplicateGroup group = model.duplicateGroups().front();
    const auto keep = std::find_if(group.files.begin(), group.files.end(),
                                   [&](const FileRecord& file) { return file.path() == kept; });
    ASSERT_NE(keep, group.files.end());
    model.sortCopies(group, *keep);
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.queueCount() == 2; }));
    desk.settle();
    for (int card = 0; card < 2; ++card) {
        model.act(Decision::trash, std::nullopt, false);
        desk.settle();
    }
    EXPECT_FALSE(model.sessionActive());
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(other));
    EXPECT_TRUE(fs::exists(trashed("sea copy.jpg")));
    EXPECT_TRUE(fs::exists(trashed("sea 2.jpg")));
    EXPECT_TRUE(model.duplicateGroups().empty());

    // The application.
    model.scanApplications();
    desk.settle();
    ASSERT_EQ(model.applications().size(), 1U);
    model.sortApplications(model.applications());
    ASSERT_TRUE(ThreadedModel::waitFor([&] { return model.queueCount() == 1; }));
    desk.settle();
    EXPECT_EQ(model.filter().type, FileFilter::applications);
    model.act(Decision::trash, std::nullopt, false);
    desk.settle();
    EXPECT_FALSE(fs::exists(tool));
    EXPECT_TRUE(fs::exists(trashed("Tool.app")));
    EXPECT_TRUE(model.applications().empty());
    ASSERT_EQ(model.state().removedApplications.size(), 1U);
    EXPECT_EQ(model.state().removedApplications.front(),
              (RemovedApplication{"org.example.tool", "Tool.app", tool}));

    model.inspectAppData();
    desk.settle();
    ASSERT_EQ(model.appData().entries.size(), 1U);
    EXPECT_EQ(model.appData().entries.front().path, cache);
    EXPECT_EQ(model.appData().entries.front().owner, "Tool.app");
    EXPECT_EQ(model.appData().entries.front().size, 7000);
    EXPECT_TRUE(fs::exists(cache)); // shown, never touched

    ThreadedModel::await(model.flushState());
    model.shutdown();
}

} // namespace
} // namespace tollenvane
