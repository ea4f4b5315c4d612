#include "core/base/Path.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tollenvane {
namespace {

TEST(Path, StandardisedCleansLexically)
{
    EXPECT_EQ(path::standardised("/a//b/./c/../d/"), "/a/b/d");
    EXPECT_EQ(path::standardised("/../.."), "/");
    EXPECT_EQ(path::standardised("/"), "/");
    EXPECT_EQ(path::standardised("/a/b/.."), "/a");
}

TEST(Path, ExtensionFollowsTheLastDotOfTheLastComponent)
{
    EXPECT_EQ(path::extension("/x/photo.JPG"), "JPG");
    EXPECT_EQ(path::extension("/x/archive.tar.gz"), "gz");
    EXPECT_EQ(path::extension("/x/.bashrc"), "");
    EXPECT_EQ(path::extension("/x/name."), "");
    EXPECT_EQ(path::extension("/x.d/name"), "");
    EXPECT_EQ(path::extension("/x/Tool.app/"), "app");
    EXPECT_EQ(path::stem("/x/Tool.app"), "Tool");
    EXPECT_EQ(path::stem("/x/.bashrc"), ".bashrc");
}

TEST(Path, ComponentsAndParents)
{
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
