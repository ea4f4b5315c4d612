#include "core/records/BundleSnapshot.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/Sha256.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

std::string makeBundle(const test::TempDir& dir, const std::string& name)
{
    dir.write(name + "/Contents/Info.plist", "<plist/>");
    dir.write(name + "/Contents/MacOS/tool", std::string(5000, 'x'));
    dir.write(name + "/Contents/Resources/empty");
    return dir / name;
}

TEST(BundleSnapshot, HashesALinePerEntrySummingRegularFilesAndHardLinksButNeverFollowingLinks)
{
    const test::TempDir dir;
    const BundleSnapshot empty = BundleSnapshot::measure(dir.makeFolder("Empty.app"));
    EXPECT_EQ(empty.size, 0);
    EXPECT_EQ(empty.allocatedSize, 0);
    EXPECT_EQ(empty.fingerprint, Sha256::hexOf(""));

    const std::string file = dir.write("One.app/a.txt", "abc");
    struct stat status {};
    ASSERT_EQ(::lstat(file.c_str(), &status), 0);
    const std::string line =
        "/a.txt|" + std::to_string(status.st_mode) + "|" + std::to_string(status.st_ino) + "|3|" +
        std::to_string(status.st_mtim.tv_sec) + "|" + std::to_string(status.st_mtim.tv_nsec) + "|" +
        std::to_string(status.st_ctim.tv_sec) + "|" + std::to_string(status.st_ctim.tv_nsec) + "\n";
    const BundleSnapshot one = BundleSnapshot::measure(dir / "One.app");
    EXPECT_EQ(one.fingerprint, Sha256::hexOf(line));
    EXPECT_EQ(one.size, 3);
    EXPECT_EQ(one.allocatedSize, status.st_blocks * 512);

    const std::string bundle = makeBundle(dir, "Tool.app");
    dir.write("outside/big.bin", std::string(100000, 'y'));
    const BundleSnapshot before = BundleSnapshot::measure(bundle);
    EXPECT_EQ(before.size, 5000 + 8);

    ASSERT_EQ(::link((bundle + "/Contents/MacOS/tool").c_str(),
                     (bundle + "/Contents/MacOS/tool2").c_str()),
              0);
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (bundle + "/Contents/Outside").c_str()), 0);
    const BundleSnapshot after = BundleSnapshot::measure(bundle);
    EXPECT_EQ(after.size, 2 * 5000 + 8);
    EXPECT_NE(after.fingerprint, before.fingerprint);
}

TEST(BundleSnapshot, FollowsTouchesAndCopiesButNotRenames)
{
    const test::TempDir dir;
    const std::string bundle = makeBundle(dir, "Tool.app");
    const std::string original = BundleSnapshot::measure(bundle).fingerprint;
    EXPECT_EQ(BundleSnapshot::measure(bundle).fingerprint, original); // reading is harmless

    fs::rename(bundle, dir / "Renamed.app");
    fs::create_directories(dir / "Trash/files");
    fs::rename(dir / "Renamed.app", dir / "Trash/files/Tool.app");
    EXPECT_EQ(BundleSnapshot::measure(dir / "Trash/files/Tool.app").fingerprint, original);

    fs::copy(dir / "Trash/files/Tool.app", dir / "Copy.app", fs::copy_options::recursive);
    EXPECT_NE(BundleSnapshot::measure(dir / "Copy.app").fingerprint, original);

    test::setModified(dir / "Trash/files/Tool.app/Contents/Resources/empty", 1'600'000'000);
    EXPECT_NE(BundleSnapshot::measure(dir / "Trash/files/Tool.app").fingerprint, original);
}

TEST(BundleSnapshot, FailsWholeWhenTheTreeCannotBeWalkedOrTheWalkIsCancelled)
{
    const test::TempDir dir;
    const std::string bundle = makeBundle(dir, "Tool.app");

    const auto removeMacOS = [&](const std::string& relative) {
        if (relative == "/Contents/MacOS") {
            fs::remove_all(bundle + "/Contents/MacOS");
        }
    };
    EXPECT_EQ(test::fileErrorOf([&] { BundleSnapshot::measure(bundle, {}, removeMacOS); }),
              FileError::changed);
    EXPECT_EQ(test::fileErrorOf([&] { BundleSnapshot::measure(dir / "Missing.app"); }),
              FileError::permission);
    std::stop_source source;
    source.request_stop();
    EXPECT_THROW(BundleSnapshot::measure(bundle, source.get_token()), Cancelled);
}

} // namespace
} // namespace tollenvane
