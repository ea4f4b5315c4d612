#include "app/shell/DisplayCheck.h"

#include <gtest/gtest.h>

#include <map>

namespace tollenvane {
namespace {

auto environment(std::map<std::string, std::string> variables)
{
    return [variables](const char* name) {
        const auto found = variables.find(name);
        return found == variables.end() ? std::string() : found->second;
    };
}

TEST(DisplayCheck, DesktopPlatformsNeedTheirDisplayAndOthersNone)
{
    const auto none = environment({});
    const auto x11 = environment({{"DISPLAY", ":0"}});
    const auto wayland = environment({{"WAYLAND_DISPLAY", "wayland-0"}});

    EXPECT_TRUE(missingDisplay("", none));
    EXPECT_FALSE(missingDisplay("", x11));
    EXPECT_FALSE(missingDisplay("", wayland));
    EXPECT_TRUE(missingDisplay("xcb", wayland));
    EXPECT_TRUE(missingDisplay("wayland-egl", x11));
    EXPECT_FALSE(missingDisplay("wayland;xcb", x11)); // the fallback has its display
    EXPECT_FALSE(missingDisplay("offscreen", none));
    EXPECT_FALSE(missingDisplay("offscreen:fontengine=freetype", none));
    EXPECT_FALSE(missingDisplay("linuxfb", none));
}

TEST(DisplayCheck, ThePlatformArgumentWinsOverTheEnvironment)
{
    const auto offscreen = environment({{"QT_QPA_PLATFORM", "offscreen"}});
    EXPECT_EQ(requestedPlatform({"tollenvane", "-platform", "xcb"}, offscreen), "xcb");
    EXPECT_EQ(requestedPlatform({"tollenvane", "--state", "s.json"}, offscreen), "offscreen");
    EXPECT_EQ(requestedPlatform({"tollenvane", "-platform"}, offscreen), "offscreen");
}

} // namespace
} // namespace tollenvane
