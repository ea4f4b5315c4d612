#include "core/platform/LibraryFolders.h"

#include "core/platform/XdgFolders.h"
#include "support/EnvironmentVariable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tollenvane {
namespace {

using test::EnvironmentVariable;

TEST(LibraryFolders, ResolvesTheWayToEachFolderButNotTheFolderItself)
{
    const std::string home = XdgFolders::home();
    EXPECT_EQ(LibraryFolders::current(),
              (LibraryFolders{home + "/.cache", home + "/.local/state", home + "/.config",
                              home + "/.local/share"}));

    const test::TempDir dir;
    ASSERT_EQ(::symlink(home.c_str(), (dir / "home-link").c_str()), 0);
    ASSERT_EQ(::symlink((home + "/.cache").c_str(), (dir / "cache-link").c_str()), 0);
    const EnvironmentVariable state("XDG_STATE_HOME", dir / "home-link/.local/state");
    const EnvironmentVariable cache("XDG_CACHE_HOME", dir / "cache-link");
    const LibraryFolders library = LibraryFolders::current();
    EXPECT_EQ(library.logs, home + "/.local/state");
    // A library folder that is itself a link stays one, so that what it leads to is left alone.
    EXPECT_EQ(library.caches, dir / "cache-link");
}

} // namespace
} // namespace tollenvane
