#include "app/screens/dashboard/DashboardRules.h"

#include <algorithm>
#include <limits>

namespace tollenvane {

std::int64_t recommendationMinimum(SpacePreset preset)
{
    switch (preset) {
    case SpacePreset::large:
    case SpacePreset::creator:
        return 1;
    case SpacePreset::oldVideos:
    case SpacePreset::archives:
        return 5;
    case SpacePreset::downloads:
        return 10;
    case SpacePreset::screenshots:
        return 30;
    }
    return 1;
}

std::vector<SpacePreset> recommendations(const FileInsights& insights)
{
    std::vector<SpacePreset> kept;
    for (const SpacePreset preset : allSpacePresets) {
        if (insights.tally(preset).count >= recommendationMinimum(preset)) {
            kept.push_back(preset);
        }
    }
    std::stable_sort(kept.begin(), kept.end(), [&](SpacePreset left, SpacePreset right) {
        return insights.tally(left).bytes > insights.tally(right).bytes;
    });
    return kept;
}

std::int64_t readySourceCount(const std::vector<FolderGrant>& sources,
                              const std::map<std::string, SourceStatus>& statuses)
{
    return std::count_if(sources.begin(), sources.end(), [&](const FolderGrant& grant) {
        const auto status = statuses.find(grant.id);
        return status != statuses.end() && status->second.location.has_value();
    });
}

PrimaryAction primaryAction(bool sessionActive, bool hasSources)
{
    if (sessionActive) {
        return PrimaryAction::resumeSorting;
    }
    return hasSources ? PrimaryAction::startSorting : PrimaryAction::chooseFolders;
}

DashboardControls dashboardControls(const DashboardFlags& flags)
{
    const bool nothingIndexed = flags.indexedCount == 0;
    return {
        .refresh = !flags.scanning && !flags.sessionActive && !flags.busy,
        .resume = !flags.busy && flags.resumeReady,
        .startSorting = !nothingIndexed && !flags.busy,
        .categories = !nothingIndexed && !flags.busy,
        .suggestions = !flags.busy,
    };
}

VolumeLine volumeLine(const std::optional<StorageVolume>& selected)
{
    if (selected && selected->external) {
        return {"externaldrive.fill", selected->name};
    }
    return {"laptopcomputer", std::nullopt};
}

std::optional<std::int64_t> purgeableSpace(const std::optional<StorageVolume>& selected)
{
    if (!selected || selected->purgeable() < 1) {
        return std::nullopt;
    }
    return selected->purgeable();
}

std::int64_t usedSpace(std::int64_t total, std::int64_t free)
{
    std::int64_t used = 0;
    if (__builtin_sub_overflow(total, free, &used)) {
        return free < 0 ? std::numeric_limits<std::int64_t>::max() : 0;
    }
    return std::max<std::int64_t>(used, 0);
}

} // namespace tollenvane
