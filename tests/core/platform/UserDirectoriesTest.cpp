#include "core/platform/UserDirectories.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(UserDirectories, ReadsTheDownloadEntryOfTheUserDirsFile)
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
}

} // namespace
} // namespace tollenvane
