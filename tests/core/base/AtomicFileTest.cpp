#include "core/base/AtomicFile.h"

#include "core/base/PlatformError.h"
#include "core/base/Sha256.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace tollenvane {
namespace {

mode_t permissions(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

TEST(AtomicFile, ReplacesTheFileWithOwnerOnlyPermissionsWhateverTheUmask)
{
    const test::TempDir dir;
    const std::string target = dir.write("state.json", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    const mode_t previous = ::umask(0);

    writeFileAtomically(target, "new contents");
    ::umask(previous);

    EXPECT_EQ(test::readFile(target), "new contents");
    EXPECT_EQ(permissions(target), 0600u);
    EXPECT_EQ(test::entries(dir.path()).size(), 1u); // no temporary file left behind
}

TEST(AtomicFile, AFailureLeavesTheOldFileAndNoTemporaryFile)
{
    const test::TempDir dir;
    const std::string target = dir.write("state.json", "old");
    // A folder in the way makes the final rename fail after everything was written.
    const std::string blocked = dir.makeFolder("blocked");
    dir.write("blocked/child", "x");
    EXPECT_THROW(writeFileAtomically(blocked, "new"), PlatformError);
    EXPECT_THROW(writeFileAtomically(dir / "missing/state.json", "new"), PlatformError);

    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(test::entries(dir.path()).size(), 2u);
    EXPECT_EQ(test::entries(blocked).size(), 1u);
}

TEST(Sha256, MatchesKnownDigestsWhetherFedAtOnceOrInPieces)
{
    EXPECT_EQ(Sha256::hexOf(""),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::hexOf("abc"),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    Sha256 pieces;
    pieces.update("a");
    pieces.update("");
    pieces.update("bc");
    EXPECT_EQ(pieces.finishHex(), Sha256::hexOf("abc"));
}

} // namespace
} // namespace tollenvane
