#include "core/platform/UserDirectories.h"

#include "core/platform/XdgFolders.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

TEST(UserDirectories, ReadsTheDownloadEntryAndNamesItsFolderUnlessItIsTheHomeFolder)
{
    const std::string text = "# written by xdg-user-dirs-update\n"
                             "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                             "  XDG_DOWNLOAD_DIR=\"$HOME/T\u00e9l\u00e9chargements\"\n"
                             "XDG_MUSIC_DIR=\"/srv/music \\\"live\\\"\"\n"
                             "XDG_VIDEOS_DIR=relative\n";
    EXPECT_EQ(UserDirectories::entry(text, "XDG_DOWNLOAD_DIR", "/home/a"),
              "/home/a/T\u00e9l\u00e9chargements");
    EXPECT_EQ(UserDirectories::entry(text, "XDG_MUSIC_DIR", "/home/a"), "/srv/music \"live\"");
    EXPECT_EQ(UserDirectories::entry(text, "XDG_VIDEOS_DIR", "/home/a"), std::nullopt);
    EXPECT_EQ(UserDirectories::entry(text, "XDG_DESKTOP", "/home/a"), std::nullopt);
    EXPECT_EQ(UserDirectories::entry(text, "XDG_PICTURES_DIR", "/home/a"), std::nullopt);

    // The download folder's name is the desktop's own, but never the home folder's.
    const std::string file = XdgFolders::configHome() + "/user-dirs.dirs";
    const auto named = [&](const std::string& value) {
        std::filesystem::remove(file);
        if (!value.empty()) {
            std::ofstream(file) << "XDG_DOWNLOAD_DIR=\"" << value << "\"\n";
        }
        return UserDirectories::downloadFolderName();
    };
    const std::string home = XdgFolders::home();
    const test::TempDir dir;
    dir.link(home, "home-link");

    EXPECT_EQ(named("$HOME/T\u00e9l\u00e9chargements"), "T\u00e9l\u00e9chargements");
    EXPECT_EQ(named("/srv/Downloads"), "Downloads");
    EXPECT_EQ(named(""), std::nullopt);
    // xdg-user-dirs writes the home folder for a folder the user does not have.
    EXPECT_EQ(named("$HOME/"), std::nullopt);
    EXPECT_EQ(named("$HOME"), std::nullopt);
    EXPECT_EQ(named(home + "/./"), std::nullopt);
    EXPECT_EQ(named(dir / "home-link"), std::nullopt);
    EXPECT_EQ(named("/"), std::nullopt);
    std::filesystem::remove(file);
}

} // namespace
} // namespace tollenvane
