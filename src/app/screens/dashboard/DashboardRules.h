#pragma once

#include "core/access/FolderGrant.h"
#include "core/insights/FileInsights.h"
#include "core/insights/SpacePreset.h"
#include "core/volumes/StorageVolume.h"
#include "model/access/SourceStatus.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// The presets worth suggesting, most bytes first: those whose files, over every volume, reach
// the preset's minimum count. Equal sizes keep the presets' own order.
std::vector<SpacePreset> recommendations(const FileInsights& insights);
// How many files a preset needs before it is suggested.
std::int64_t recommendationMinimum(SpacePreset preset);

// Sources whose folder was found; those not resolved yet or in error are not counted.
std::int64_t readySourceCount(const std::vector<FolderGrant>& sources,
                              const std::map<std::string, SourceStatus>& statuses);

// The one call to action of the storage card.
enum class PrimaryAction { resumeSorting, startSorting, chooseFolders };
PrimaryAction primaryAction(bool sessionActive, bool hasSources);

// What the page's controls depend on, read from the model.
struct DashboardFlags {
    bool hasSources = false;
    bool scanning = false;
    bool sessionActive = false;
    bool busy = false;
    bool resumeReady = false;
    std::int64_t indexedCount = 0;
};

// Which controls accept a click.
struct DashboardControls {
    bool refresh = false;
    bool resume = false;
    bool startSorting = false;
    bool categories = false;
    bool suggestions = false;

    bool operator==(const DashboardControls&) const = default;
};

DashboardControls dashboardControls(const DashboardFlags& flags);

// The volume line: the external volume's own name, else this computer.
struct VolumeLine {
    const char* symbol;
    std::optional<std::string> name; // none: the computer's looked-up name
};

VolumeLine volumeLine(const std::optional<StorageVolume>& selected);
// Space the system could free on the selected volume, when there is any.
std::optional<std::int64_t> purgeableSpace(const std::optional<StorageVolume>& selected);
// Capacity less free space, never below zero.
std::int64_t usedSpace(std::int64_t total, std::int64_t free);

} // namespace tollenvane
