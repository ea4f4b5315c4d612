#include "core/applications/AppDataInventory.h"

#include "core/applications/ApplicationFolderRegistry.h"
#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "core/platform/XdgFolders.h"
#include "support/Bundles.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace tollenvane {
namespace {

class FakeRegistry final : public ApplicationRegistry {
public:
    std::map<std::string, std::string> bundles;

    std::optional<std::string> locate(const std::string& identifier, std::stop_token) const override
    {
        const auto found = bundles.find(identifier);
        return found == bundles.end() ? std::nullopt : std::optional(found->second);
    }
};

// A home of its own with the four library folders.
class AppDataInventoryTest : public ::testing::Test {
protected:
    static RemovedApplication removed(const std::string& id, const std::string& name = "App.app")
    {
        return {id, name, "/opt/" + name};
    }

    std::vector<std::string> paths(const AppDataReport& report) const
    {
        std::vector<std::string> found;
        for (const AppDataEntry& entry : report.entries) {
            found.push_back(entry.path.substr(dir.path().size() + 1));
        }
        return found;
    }

    AppDataReport inspect(const std::vector<RemovedApplication>& applications,
                          const std::set<std::string, std::less<>>& installed = {},
                          const ApplicationRegistry* registry = nullptr) const
    {
        return AppDataInventory::inspect(applications, installed, library, registry);
    }

    const test::ScopedLanguage french{AppLanguage::fr};
    const test::TempDir dir;
    LibraryFolders library{dir.makeFolder("home/.cache"), dir.makeFolder("home/.local/state"),
                           dir.makeFolder("home/.config"), dir.makeFolder("home/.local/share")};
};

TEST_F(AppDataInventoryTest, InspectsOnlyWellFormedIdentifiers)
{
    for (const char* good : {"com.example.editor", "a.b", "A1.b_c-d.9"}) {
        EXPECT_TRUE(AppDataInventory::isInspectableIdentifier(good)) << good;
    }
    EXPECT_FALSE(AppDataInventory::isInspectableIdentifier(""));
    EXPECT_FALSE(AppDataInventory::isInspectableIdentifier("../x.y"));
    std::vector<RemovedApplication> applications;
    for (const char* bad :
         {"Example", "com..example", "com.example.", ".com.example", "-com.example", "_com.example",
          "com.ex ample", "com.-example", "x-._", "com.\xc3\xa9xample"}) {
        EXPECT_FALSE(AppDataInventory::isInspectableIdentifier(bad)) << bad;
        dir.write("home/.cache/" + std::string(bad) + "/data", "x");
        applications.push_back(removed(bad));
    }
    EXPECT_EQ(inspect(applications), AppDataReport{});
    EXPECT_EQ(inspect({}), AppDataReport{});
}

TEST_F(AppDataInventoryTest, SkipsApplicationsThatAreStillInstalledSomewhere)
{
    const std::vector<std::string> ids{"COM.APPLE.Preview",        "com.example.installed",
                                       "com.example.back",         "com.example.registered",
                                       "com.example.trashed",      "com.example.volumetrash",
                                       "com.example.unregistered", "com.example.Other"};
    std::vector<RemovedApplication> applications;
    for (const std::string& id : ids) {
        dir.write("home/.cache/" + id, "data");
        applications.push_back(removed(id, id + ".app"));
    }
    applications[2].originalPath = test::writeBundle(dir / "opt/Back.app", "com.example.back");
    FakeRegistry registry;
    registry.bundles["com.example.registered"] =
        test::writeBundle(dir / "elsewhere/Reg.app", "com.example.registered");
    registry.bundles["com.example.trashed"] =
        test::writeBundle(XdgFolders::dataHome() + "/Trash/files/T.app", "com.example.trashed");
    registry.bundles["com.example.volumetrash"] =
        test::writeBundle(dir / ".Trash-1000/files/V.app", "com.example.volumetrash");
    registry.bundles["com.example.unregistered"] = dir / "gone/U.app";

    // Installed identifiers match exactly: "com.example.other" is not "com.example.Other".
    const AppDataReport report =
        inspect(applications, {"com.example.installed", "com.example.other"}, &registry);
    EXPECT_EQ(paths(report), (std::vector<std::string>{"home/.cache/com.example.trashed",
                                                       "home/.cache/com.example.volumetrash",
                                                       "home/.cache/com.example.unregistered",
                                                       "home/.cache/com.example.Other"}));
    EXPECT_TRUE(report.issues.empty());

    // Without the registration check, a copy elsewhere does not hide the data.
    EXPECT_EQ(inspect({applications[3]}).entries.size(), 1U);
}

TEST_F(AppDataInventoryTest, SizesEachProbedItemLargestFirstInDiscoveryOrderOtherwiseUnlessStopped)
{
    dir.write("home/.cache/com.example.editor/a", std::string(100, 'a'));
    dir.write("home/.cache/com.example.editor/b", std::string(50, 'b'));
    dir.write("home/.cache/com.example.editor/sub/c", std::string(25, 'c'));
    dir.link("a", "home/.cache/com.example.editor/link");
    dir.write("home/.local/state/com.example.editor", std::string(10, 'l'));
    dir.write("home/.config/com.example.editor", std::string(300, 'p'));
    dir.write("home/.config/com.example.editor.plist", std::string(9999, 'x'));
    dir.makeFolder("home/.local/share/com.example.editor");
    dir.write("home/.cache/com.example.viewer", std::string(10, 'v'));

    const AppDataReport report = inspect(
        {removed("com.example.editor", "Editor.app"), removed("com.example.viewer", "Viewer.app")});
    const std::string home = dir / "home";
    EXPECT_EQ(
        report.entries,
        (std::vector<AppDataEntry>{
            {home + "/.config/com.example.editor", "Editor.app", AppDataCategory::preferences, 300},
            {home + "/.cache/com.example.editor", "Editor.app", AppDataCategory::cache, 175},
            {home + "/.local/state/com.example.editor", "Editor.app", AppDataCategory::logs, 10},
            {home + "/.cache/com.example.viewer", "Viewer.app", AppDataCategory::cache, 10},
            {home + "/.local/share/com.example.editor", "Editor.app", AppDataCategory::support, 0},
        }));
    EXPECT_TRUE(report.issues.empty());
    EXPECT_EQ(label(AppDataCategory::logs), "Journaux");

    std::stop_source source;
    source.request_stop();
    EXPECT_THROW(AppDataInventory::inspect({removed("com.example.editor")}, {}, library, nullptr,
                                           source.get_token()),
                 Cancelled);
}

TEST_F(AppDataInventoryTest, LeavesOutWhatLinksReachSilently)
{
    dir.write("moved-cache/com.example.editor/a", "data");
    ASSERT_EQ(::rmdir(library.caches.c_str()), 0);
    dir.link("../moved-cache", "home/.cache");
    dir.write("real-log", "log");
    dir.link("../../../real-log", "home/.local/state/com.example.editor");
    dir.write("home/.config/com.example.editor", "prefs");

    const AppDataReport report = inspect({removed("com.example.editor")});
    EXPECT_EQ(paths(report), std::vector<std::string>{"home/.config/com.example.editor"});
    EXPECT_TRUE(report.issues.empty());
}

TEST_F(AppDataInventoryTest, KeepsTheFirstTwentyProblems)
{
    std::vector<RemovedApplication> applications;
    for (int i = 0; i < 21; ++i) {
        char id[32];
        std::snprintf(id, sizeof id, "com.example.app%02d", i);
        // A pipe is no file to measure.
        ASSERT_EQ(::mkfifo((library.caches + "/" + id).c_str(), 0600), 0);
        applications.push_back(removed(id));
    }
    dir.write("home/.config/com.example.app20", "prefs");

    const AppDataReport report = inspect(applications);
    ASSERT_EQ(report.issues.size(), AppDataReport::issueLimit);
    EXPECT_EQ(report.issues.front(),
              "com.example.app00 : " + errorDescription(FileError::unsupported));
    EXPECT_TRUE(report.issues.back().starts_with("com.example.app19 : "));
    EXPECT_EQ(paths(report), std::vector<std::string>{"home/.config/com.example.app20"});
}

TEST(ApplicationFolderRegistry, FindsTheFirstBundleWithAnIdentifier)
{
    const test::TempDir dir;
    test::writeBundle(dir / "opt/Editor.app", "com.example.editor");
    test::writeBundle(dir / "opt/Tools/Editor Copy.app", "com.example.editor");
    test::writeBundle(dir / "apps/Viewer.app", "com.example.viewer");
    test::writeBundle(dir / "apps/.Trash-0/files/Old.app", "com.example.old");

    const ApplicationFolderRegistry registry({dir / "missing", dir / "opt", dir / "apps"});
    EXPECT_EQ(registry.locate("com.example.editor", {}), dir / "opt/Editor.app");
    EXPECT_EQ(registry.locate("com.example.viewer", {}), dir / "apps/Viewer.app");
    EXPECT_EQ(registry.locate("com.example.old", {}), std::nullopt);

    std::stop_source source;
    source.request_stop();
    const ApplicationFolderRegistry stopped({dir / "opt"});
    EXPECT_THROW((void)stopped.locate("com.example.editor", source.get_token()), Cancelled);
    EXPECT_EQ(stopped.locate("com.example.editor", {}), dir / "opt/Editor.app");
}

} // namespace
} // namespace tollenvane
