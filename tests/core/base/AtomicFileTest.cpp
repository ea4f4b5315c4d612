#include "core/base/AtomicFile.h"

#include "core/base/FileSync.h"
#include "core/base/PlatformError.h"
#include "core/base/Sha256.h"
#include "support/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

TEST(AtomicFile, AFailureLeavesTheOldFileAndNoTemporaryFile)
{
    const test::TempDir dir;
    const std::string target = dir.write("state.json", "old");
    // A folder in the way makes the final rename fail after everything was written.
    const std::string blocked = dir.makeFolder("blocked");
    dir.write("blocked/child", "x");
    EXPECT_THROW(writeFileAtomically(blocked, "new"), PlatformError);
    EXPECT_THROW(writeFileAtomically(dir / "missing/state.json", "new"), PlatformError);

    // A sync that fails, as on a failing disk, refuses before anything is renamed.
    {
        const FileSync::Override failingSync([](int) {
            errno = EIO;
            return -1;
        });
        EXPECT_EQ(test::platformErrorOf([&] { writeFileAtomically(target, "new"); }), EIO);
    }

    EXPECT_EQ(test::readFile(target), "old");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"blocked", "state.json"}));
    EXPECT_EQ(test::entries(blocked).size(), 1u);
}

TEST(AtomicFile, ReplacesTheFileOwnerOnlyAndRemovesCrashedTemporariesButNoLookAlike)
{
    const test::TempDir dir;
    const std::string target = dir.write("state.json", "old");
    dir.write(".state.json.a1B2c3", "stale");
    dir.write(".state.json.ZZZZZZ", "stale");
    const std::vector<std::string> lookAlikes = {
        ".other.json.abcdef", ".state.json.abcde",   ".state.json.abcdefg",
        ".state.json.ab-d_f", ".state.json.abcdef~", "state.json.abcdef",
    };
    for (const std::string& name : lookAlikes) {
        dir.write(name, "keep");
    }
    dir.makeFolder(".state.json.folder");
    const std::string elsewhere = dir.write("elsewhere", "keep");
    dir.link(elsewhere, ".state.json.linked");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);

    const mode_t previous = ::umask(0);
    writeFileAtomically(target, "new");
    ::umask(previous);

    std::vector<std::string> expected = lookAlikes;
    expected.insert(expected.end(),
                    {".state.json.folder", ".state.json.linked", "elsewhere", "state.json"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::entries(dir.path()), expected);
    EXPECT_EQ(test::readFile(target), "new");
    EXPECT_EQ(test::permissions(target), 0600u); // whatever the umask
    EXPECT_EQ(test::readFile(elsewhere), "keep");
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
