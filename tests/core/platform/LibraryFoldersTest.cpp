#include "core/platform/LibraryFolders.h"

#include "core/platform/XdgFolders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>

namespace tollenvane {
namespace {

// Sets an environment variable for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value)
        : name_(name)
        , old_(XdgFolders::environmentVariable(name))
    {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() { ::setenv(name_, old_.c_str(), 1); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::string old_;
};

TEST(LibraryFolders, ResolvesTheWayToEachFolderButNotTheFolderItself)
{
    const std::string home = XdgFolders::home();
    EXPECT_EQ(LibraryFolders::current(),
              (LibraryFolders{home + "/.cache", home + "/.local/state", home + "/.config",
                              home + "/.local/share"}));

    const test::TempDir dir;
    ASSERT_EQ(::symlink(home.c_str(), (dir / "home-link").c_str()), 0);
    ASSERT_EQ(::symlink((home + "/.cache").c_str(), (dir / "cache-link").c_str()), 0);
    const ScopedVariable state("XDG_STATE_HOME", dir / "home-link/.local/state");
    const ScopedVariable cache("XDG_CACHE_HOME", dir / "cache-link");
    const LibraryFolders library = LibraryFolders::current();
    EXPECT_EQ(library.logs, home + "/.local/state");
    // A library folder that is itself a link stays one, so that what it leads to is left alone.
    EXPECT_EQ(library.caches, dir / "cache-link");
}

} // namespace
} // namespace tollenvane
