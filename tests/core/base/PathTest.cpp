#include "core/base/Path.h"

#include "core/base/PlatformError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tollenvane {
namespace {

TEST(Path, LexicalFormsCleanSplitAndCompareWithoutTheDisk)
{
    EXPECT_EQ(path::standardised("/a//b/./c/../d/"), "/a/b/d");
    EXPECT_EQ(path::standardised("/../.."), "/");
    EXPECT_EQ(path::standardised("/"), "/");
    EXPECT_EQ(path::standardised("/a/b/.."), "/a");
    EXPECT_EQ(path::standardised("/a/.hidden/..name/.../b."), "/a/.hidden/..name/.../b.");
    EXPECT_EQ(path::standardised("//a"), "/a");
    EXPECT_EQ(path::standardised("/a/b/."), "/a/b");
    EXPECT_EQ(path::standardised("a/../../b/"), "../b");
    EXPECT_TRUE(path::isStandardised("/a/.hidden/b."));
    EXPECT_FALSE(path::isStandardised("/a//b"));
    EXPECT_FALSE(path::isStandardised("/a/.."));
    EXPECT_EQ(path::appending("/", "a"), "/a");
    EXPECT_EQ(path::appending("/x", "a b"), "/x/a b");
    EXPECT_EQ(path::appending("/x/", "a"), "/x/a");

    // The extension follows the last dot of the last component.
    EXPECT_EQ(path::extension("/x/photo.JPG"), "JPG");
    EXPECT_EQ(path::extension("/x/archive.tar.gz"), "gz");
    EXPECT_EQ(path::extension("/x/.bashrc"), "");
    EXPECT_EQ(path::extension("/x/name."), "");
    EXPECT_EQ(path::extension("/x.d/name"), "");
    EXPECT_EQ(path::extension("/x/Tool.app/"), "app");
    EXPECT_EQ(path::stem("/x/Tool.app"), "Tool");
    EXPECT_EQ(path::stem("/x/.bashrc"), ".bashrc");

    EXPECT_EQ(path::lastComponent("/a/b"), "b");
    EXPECT_EQ(path::lastComponent("/"), "/");
    EXPECT_EQ(path::parent("/a/b"), "/a");
    EXPECT_EQ(path::parent("/a"), "/");
    EXPECT_TRUE(path::isAtOrBelow("/a/b", "/a"));
    EXPECT_TRUE(path::isAtOrBelow("/a", "/a"));
    EXPECT_FALSE(path::isAtOrBelow("/ab", "/a"));
    EXPECT_TRUE(path::isAtOrBelow("/ab", "/"));
}

TEST(Path, ResolvedFollowsLinksOfTheLongestExistingPrefix)
{
    const test::TempDir dir;
    dir.makeFolder("real/inner");
    ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);

    EXPECT_EQ(path::resolved(dir / "link/inner"), dir / "real/inner");
    EXPECT_EQ(path::resolved(dir / "link/missing/../x"), dir / "real/x");
    EXPECT_EQ(path::resolved(dir / "nothing/here"), dir / "nothing/here");
    EXPECT_TRUE(path::isLinkFree(dir / "real/inner/new.txt"));
    EXPECT_FALSE(path::isLinkFree(dir / "link/inner"));
}

TEST(Path, IsLinkFreeLooksAtEveryComponentOfExistingAndMissingPaths)
{
    const test::TempDir dir;
    const std::string file = dir.write("real/inner/file.txt", "x");
    ASSERT_EQ(::symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink(file.c_str(), (dir / "real/inner/alias.txt").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "loop").c_str(), (dir / "loop").c_str()), 0);

    EXPECT_TRUE(path::isLinkFree(file));
    EXPECT_TRUE(path::isLinkFree(dir / "real/./inner//file.txt"));
    EXPECT_FALSE(path::isLinkFree(dir / "link/inner/file.txt"));
    EXPECT_FALSE(path::isLinkFree(dir / "real/inner/alias.txt"));
    EXPECT_FALSE(path::isLinkFree(dir / "link/inner/missing/new.txt"));
    EXPECT_TRUE(path::isLinkFree(dir / "real/missing/new.txt"));
    EXPECT_THROW((void)path::isLinkFree(dir / "loop/x"), PlatformError);
}

TEST(Path, ExistsFollowsLinksWhileOccupiedDoesNot)
{
    const test::TempDir dir;
    ASSERT_EQ(::symlink((dir / "gone").c_str(), (dir / "dangling").c_str()), 0);
    EXPECT_FALSE(path::exists(dir / "dangling"));
    EXPECT_TRUE(path::occupied(dir / "dangling"));
    EXPECT_TRUE(path::isDirectory(dir.path()));
    EXPECT_FALSE(path::occupied(dir / "gone"));
}

} // namespace
} // namespace tollenvane
