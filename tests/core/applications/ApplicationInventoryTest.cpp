#include "core/applications/ApplicationInventory.h"

#include "core/platform/RunningApplications.h"
#include "core/records/FileError.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tollenvane {
namespace {

std::string bundleWithIdentifier(const test::TempDir& dir, const std::string& name,
                                 const std::string& identifier)
{
    dir.write(name + "/Contents/Info.plist",
              "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleIdentifier</key>"
              "<string>" +
                  identifier + "</string></dict></plist>");
    dir.write(name + "/Contents/MacOS/run", "#!/bin/sh\n");
    return dir / name;
}

TEST(ApplicationInventory, ProtectsSystemPrefixesVendorIdentifiersButNotLookalikes)
{
    const test::TempDir dir;
    EXPECT_TRUE(ApplicationInventory::isProtected("/usr/share/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isProtected("/var/lib/flatpak/app/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isProtected("/System/Applications/Tool.app"));
    EXPECT_FALSE(ApplicationInventory::isProtected("/usrdata/Tool.app"));
    EXPECT_TRUE(ApplicationInventory::isProtected(
        bundleWithIdentifier(dir, "Vendor.app", "com.apple.Calculator")));
    EXPECT_FALSE(ApplicationInventory::isProtected(
        bundleWithIdentifier(dir, "Other.app", "com.applesauce.tool")));

    // A link to a system folder is judged by where it leads.
    ASSERT_EQ(::symlink("/usr/share", (dir / "share").c_str()), 0);
    EXPECT_TRUE(ApplicationInventory::isProtected(dir / "share/Tool.app"));
}

TEST(ApplicationInventory, FindsRunningBundlesThroughTheProcessTable)
{
    const test::TempDir dir;
    const std::string tool = bundleWithIdentifier(dir, "Tool.app", "org.example.tool");
    const std::string idle = bundleWithIdentifier(dir, "Idle.app", "org.example.idle");
    dir.makeFolder("proc/101");
    dir.makeFolder("proc/102");
    dir.makeFolder("proc/self");
    ASSERT_EQ(::symlink((tool + "/Contents/MacOS/run").c_str(), (dir / "proc/101/exe").c_str()), 0);
    ASSERT_EQ(::symlink("/usr/bin/env", (dir / "proc/102/exe").c_str()), 0);
    ASSERT_EQ(::symlink((idle + "/Contents/MacOS/run").c_str(), (dir / "proc/self/exe").c_str()),
              0);

    const auto running = RunningApplications::bundlePaths(dir / "proc");
    EXPECT_EQ(running, std::vector<std::string>{tool});
    EXPECT_TRUE(ApplicationInventory::isRunning(tool, running));
    EXPECT_TRUE(ApplicationInventory::isRunning(tool + "/", running));
    EXPECT_FALSE(ApplicationInventory::isRunning(idle, running));
    EXPECT_EQ(RunningApplications::bundleOf("/opt/A.app/Contents/B.APP/bin/x"),
              "/opt/A.app/Contents/B.APP");
    EXPECT_EQ(RunningApplications::bundleOf("/usr/bin/env"), std::nullopt);
}

TEST(ApplicationInventory, AnApplicationOutsideTheApplicationsFolderNeedsAnAcceptedFolder)
{
    const test::TempDir dir;
    const std::string tool = bundleWithIdentifier(dir, "Tool.app", "org.example.tool");
    EXPECT_NO_THROW(ApplicationInventory::validateOperation(tool));

    const std::string hidden = bundleWithIdentifier(dir, ".git/Tool.app", "org.example.tool");
    EXPECT_EQ(test::fileErrorOf([&] { ApplicationInventory::validateOperation(hidden); }),
              FileError::unsafeSource);
    EXPECT_EQ(
        test::fileErrorOf([] { ApplicationInventory::validateOperation("/usr/lib/Tool.app"); }),
        FileError::protectedApplication);
}

} // namespace
} // namespace tollenvane
