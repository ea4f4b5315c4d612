#include "app/screens/dashboard/DashboardRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace tollenvane {
namespace {

FileInsights withPresets(std::map<SpacePreset, FileTally> presets)
{
    FileInsights insights;
    insights.presets = std::move(presets);
    return insights;
}

TEST(DashboardRules, RecommendationsReachTheirMinimumAndSortByBytes)
{
    using enum SpacePreset;
    EXPECT_TRUE(recommendations(withPresets({{screenshots, {29, 900}}})).empty());
    EXPECT_EQ(recommendations(withPresets({{screenshots, {30, 900}}})), std::vector{screenshots});
    EXPECT_TRUE(
        recommendations(withPresets({{downloads, {9, 900}}, {oldVideos, {4, 900}}})).empty());

    // Equal bytes keep the presets' order; a qualifying preset without bytes still comes, last.
    const FileInsights many = withPresets({{large, {1, 500}},
                                           {oldVideos, {5, 800}},
                                           {downloads, {10, 500}},
                                           {archives, {5, 0}},
                                           {screenshots, {30, 800}},
                                           {creator, {1, 100}}});
    EXPECT_EQ(recommendations(many),
              (std::vector{oldVideos, screenshots, large, downloads, creator, archives}));
    // A volume's tallies do not count: suggestions are over every volume.
    FileInsights onOneVolume;
    onOneVolume.volumePresets[7][large] = {3, 5000};
    EXPECT_TRUE(recommendations(onOneVolume).empty());
}

TEST(DashboardRules, ReadySourcesAndTheControlsOverTheModelsFlags)
{
    std::vector<FolderGrant> sources(4);
    for (std::size_t index = 0; index < sources.size(); ++index) {
        sources[index].id = std::string(1, static_cast<char>('A' + index));
    }
    const std::map<std::string, SourceStatus> statuses{{"A", SourceStatus::at("/home/a")},
                                                       {"B", SourceStatus::failed("gone")},
                                                       {"D", SourceStatus::at("/home/d")},
                                                       {"Z", SourceStatus::at("/home/z")}};
    EXPECT_EQ(readySourceCount(sources, statuses), 2);
    EXPECT_EQ(readySourceCount({}, statuses), 0);

    EXPECT_EQ(primaryAction(true, false), PrimaryAction::resumeSorting);
    EXPECT_EQ(primaryAction(true, true), PrimaryAction::resumeSorting);
    EXPECT_EQ(primaryAction(false, true), PrimaryAction::startSorting);
    EXPECT_EQ(primaryAction(false, false), PrimaryAction::chooseFolders);

    DashboardFlags idle;
    idle.hasSources = true;
    idle.resumeReady = true;
    idle.indexedCount = 12;
    struct Case {
        const char* name;
        DashboardFlags flags;
        DashboardControls expected;
    };
    const auto with = [&](auto change) {
        DashboardFlags flags = idle;
        change(flags);
        return flags;
    };
    for (const Case& c : {
             Case{"idle", idle, {true, true, true, true, true}},
             Case{"scanning",
                  with([](auto& f) { f.scanning = true; }),
                  {false, true, true, true, true}},
             Case{"session",
                  with([](auto& f) { f.sessionActive = true; }),
                  {false, true, true, true, true}},
             Case{
                 "busy", with([](auto& f) { f.busy = true; }), {false, false, false, false, false}},
             Case{"nothing indexed",
                  with([](auto& f) { f.indexedCount = 0; }),
                  {true, true, false, false, true}},
             Case{"resume not ready",
                  with([](auto& f) { f.resumeReady = false; }),
                  {true, false, true, true, true}},
         }) {
        EXPECT_EQ(dashboardControls(c.flags), c.expected) << c.name;
    }
}

TEST(DashboardRules, VolumeFigures)
{
    StorageVolume internal;
    internal.total = 1000;
    internal.free = 400;
    internal.available = 400;
    EXPECT_STREQ(volumeLine(std::nullopt).symbol, "laptopcomputer");
    EXPECT_FALSE(volumeLine(std::nullopt).name);
    EXPECT_FALSE(volumeLine(internal).name);
    EXPECT_FALSE(purgeableSpace(internal));
    EXPECT_FALSE(purgeableSpace(std::nullopt));

    StorageVolume external = internal;
    external.external = true;
    external.name = "<b>x</b>";
    external.available = 401;
    EXPECT_STREQ(volumeLine(external).symbol, "externaldrive.fill");
    EXPECT_EQ(volumeLine(external).name, "<b>x</b>");
    EXPECT_EQ(purgeableSpace(external), 1);

    const std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(usedSpace(1000, 400), 600);
    EXPECT_EQ(usedSpace(1000, 2000), 0);
    EXPECT_EQ(usedSpace(-huge, huge), 0);
    EXPECT_EQ(usedSpace(huge, -huge), huge);
}

} // namespace
} // namespace tollenvane
