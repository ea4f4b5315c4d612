#include "core/applications/ApplicationInventory.h"

#include "core/applications/ApplicationStep.h"
#include "core/base/FileError.h"
#include "core/platform/RunningApplications.h"
#include "core/platform/XdgFolders.h"
#include "support/Bundles.h"
#include "support/Errors.h"
#include "support/RecordSample.h"
#include "support/RunningTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

namespace tollenvane {
namespace {

using test::writeBundle;

TEST(ApplicationInventory, ProtectsSystemPlacesAndVendorsThenAcceptsOnlyApplicationFolders)
{
    const test::TempDir dir;
    EXPECT_TRUE(ApplicationInventory::isProtected("/usr/share/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isProtected("/var/lib/flatpak/app/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isProtected("/System/Applications/Tool.app"));
    EXPECT_FALSE(ApplicationInventory::isProtected("/usrdata/Tool.app"));
    EXPECT_TRUE(
        ApplicationInventory::isProtected(writeBundle(dir / "Vendor.app", "com.apple.Calculator")));
    EXPECT_FALSE(
        ApplicationInventory::isProtected(writeBundle(dir / "Other.app", "com.applesauce.tool")));

    // A link to a system folder is judged by where it leads.
    dir.link("/usr/share", "share");
    EXPECT_TRUE(ApplicationInventory::isProtected(dir / "share/Tool.app"));
    EXPECT_EQ(ApplicationInventory::judgedPath(dir / "share/Tool.app"), "/usr/share/Tool.app");

    // The rule on what is already known reads nothing: the screens ask it for every row.
    const std::optional<std::string> own = "/opt/Tollenvane.app";
    EXPECT_TRUE(ApplicationInventory::isProtected("/Library/Tool.app", std::nullopt, own));
    EXPECT_TRUE(ApplicationInventory::isProtected("/opt/Tool.app", "com.apple.tool", own));
    EXPECT_TRUE(ApplicationInventory::isProtected("/opt/Tollenvane.app", std::nullopt, own));
    EXPECT_FALSE(ApplicationInventory::isProtected("/opt/Tool.app", "com.Apple.tool", own));
    EXPECT_FALSE(ApplicationInventory::isProtected("/opt/Tool.app", std::nullopt, std::nullopt));

    // Protection is checked first, then the folder that holds the application: outside the
    // applications folders it needs an accepted folder.
    const std::string tool = writeBundle(dir / "Tool.app", "org.example.tool");
    EXPECT_NO_THROW(ApplicationInventory::validateOperation(tool));
    const std::string hidden = writeBundle(dir / ".git/Tool.app", "org.example.tool");
    EXPECT_EQ(test::fileErrorOf([&] { ApplicationInventory::validateOperation(hidden); }),
              FileError::unsafeSource);
    EXPECT_EQ(
        test::fileErrorOf([] { ApplicationInventory::validateOperation("/usr/lib/Tool.app"); }),
        FileError::protectedApplication);
    EXPECT_NO_THROW(ApplicationInventory::validateOperation("/opt/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isAcceptedLocation("/opt/Tool.app"));
    EXPECT_FALSE(ApplicationInventory::isAcceptedLocation("/opt/Utilities/Tool.app"));
    EXPECT_FALSE(ApplicationInventory::isAcceptedLocation(hidden));
    EXPECT_EQ(test::fileErrorOf(
                  [] { ApplicationInventory::validateOperation("/opt/Utilities/Tool.app"); }),
              FileError::unsafeSource);
    EXPECT_EQ(test::fileErrorOf([] { ApplicationInventory::validateOperation("/usr/Tool.app"); }),
              FileError::protectedApplication);
    const std::string mine = XdgFolders::home() + "/Applications/Tool.app";
    EXPECT_NO_THROW(ApplicationInventory::validateOperation(writeBundle(mine, "org.example.tool")));
    EXPECT_EQ(ApplicationInventory::roots(),
              (std::vector<std::string>{"/opt", XdgFolders::home() + "/Applications"}));
}

TEST(ApplicationInventory, FindsRunningBundlesThroughTheProcessTable)
{
    const test::TempDir dir;
    const std::string tool = writeBundle(dir / "Tool.app", "org.example.tool");
    const std::string idle = writeBundle(dir / "Idle.app", "org.example.idle");
    dir.link(tool + "/Contents/MacOS/run", "proc/101/exe");
    dir.link("/usr/bin/env", "proc/102/exe");
    dir.link(idle + "/Contents/MacOS/run", "proc/self/exe");

    const auto running = RunningApplications::bundlePaths(dir / "proc");
    EXPECT_EQ(running, std::vector<std::string>{tool});
    EXPECT_TRUE(ApplicationInventory::isRunning(tool, running));
    EXPECT_TRUE(ApplicationInventory::isRunning(tool + "/", running));
    EXPECT_FALSE(ApplicationInventory::isRunning(idle, running));
    EXPECT_EQ(RunningApplications::bundleOf("/opt/A.app/Contents/B.APP/bin/x"),
              "/opt/A.app/Contents/B.APP");
    EXPECT_EQ(RunningApplications::bundleOf("/usr/bin/env"), std::nullopt);
}

TEST(ApplicationInventory, EachStepBringsTheStandingOfItsApplicationsJudgedFromTheDisk)
{
    const test::TempDir dir;
    const std::string real = dir.makeFolder("real");
    writeBundle(real + "/Tool.app", "org.example.tool");
    writeBundle(real + "/Vendor.app", "com.apple.Vendor");
    writeBundle(real + "/Utilities/Nested.app", "org.example.nested");
    dir.link(real, "linked");
    ApplicationCursor cursor = ApplicationInventory::scan({dir / "linked"}, {.pause = {}});
    std::map<std::string, BundleStanding> judged;
    while (const std::optional<ApplicationStep> step = ApplicationStep::next(cursor)) {
        if (!step->event.isBatch()) {
            EXPECT_TRUE(step->standings.empty());
            continue;
        }
        ASSERT_EQ(step->standings.size(), step->event.records().size());
        for (std::size_t at = 0; at < step->standings.size(); ++at) {
            judged[std::string(step->event.records()[at].path())] = step->standings[at];
        }
    }
    // Listed where the walk met them, judged where their links lead.
    const std::string resolved = std::filesystem::canonical(real).string();
    ASSERT_EQ(judged.size(), 3U);
    EXPECT_EQ(judged[dir / "linked/Tool.app"], BundleStanding{.resolved = resolved + "/Tool.app"});
    EXPECT_EQ(judged[dir / "linked/Vendor.app"],
              (BundleStanding{.resolved = resolved + "/Vendor.app", .protectedApplication = true}));
    EXPECT_EQ(judged[dir / "linked/Utilities/Nested.app"].resolved,
              resolved + "/Utilities/Nested.app");

    // A link into a system folder, this program's own bundle, and a folder the deck refuses.
    dir.link("/usr/share", "share");
    const auto of = [](const std::string& path, const std::optional<std::string>& own) {
        return BundleStanding::of(test::RecordSample{.path = path, .kind = "application"}.record(),
                                  own);
    };
    EXPECT_EQ(of(dir / "share/Tool.app", std::nullopt),
              (BundleStanding{.resolved = "/usr/share/Tool.app",
                              .protectedApplication = true,
                              .acceptedLocation = false}));
    EXPECT_TRUE(of(dir / "linked/Tool.app", resolved + "/Tool.app").protectedApplication);
    EXPECT_EQ(of("/opt/Utilities/Tool.app", std::nullopt),
              (BundleStanding{.resolved = "/opt/Utilities/Tool.app", .acceptedLocation = false}));
    EXPECT_TRUE(of("/opt/Tool.app", std::nullopt).acceptedLocation);
}

// The test tool, copied into a bundle of the build tree (a temporary folder elsewhere may
// forbid running programs).
std::string installTool(const test::TempDir& dir, const std::string& bundle,
                        const std::string& identifier)
{
    const std::string path = writeBundle(dir / bundle, identifier);
    const std::string executable = path + "/Contents/MacOS/tool";
    std::filesystem::copy_file(TOLLENVANE_TEST_SLEEPER, executable);
    return executable;
}

bool runs(const std::string& bundle)
{
    const std::string canonical = std::filesystem::canonical(bundle).string();
    const std::vector<std::string> running = RunningApplications::bundlePaths();
    return std::find(running.begin(), running.end(), canonical) != running.end();
}

TEST(ApplicationInventory, SeesAProcessStartedFromInsideABundleUntilItEnds)
{
    const test::TempDir dir;
    test::RunningTool tool(installTool(dir, "Fake.app", "org.example.fake"));
    test::RunningTool vendor(installTool(dir, "Vendor.app", "com.apple.Vendor"));
    if (!test::eventually([&] { return runs(dir / "Fake.app") && runs(dir / "Vendor.app"); })) {
        GTEST_SKIP() << "the tool copied into the bundles could not be started";
    }
    dir.link("Fake.app", "Shortcut.app");
    EXPECT_TRUE(ApplicationInventory::isRunning(dir / "Fake.app"));
    EXPECT_TRUE(ApplicationInventory::isRunning(dir / "Shortcut.app"));
    EXPECT_EQ(test::fileErrorOf([&] { ApplicationInventory::validateOperation(dir / "Fake.app"); }),
              FileError::runningApplication);
    // Protection is checked first.
    EXPECT_EQ(
        test::fileErrorOf([&] { ApplicationInventory::validateOperation(dir / "Vendor.app"); }),
        FileError::protectedApplication);

    tool.stop();
    EXPECT_FALSE(ApplicationInventory::isRunning(dir / "Fake.app"));
    EXPECT_FALSE(ApplicationInventory::isRunning(dir / "Shortcut.app"));
    EXPECT_NO_THROW(ApplicationInventory::validateOperation(dir / "Fake.app"));
}

} // namespace
} // namespace tollenvane
