#pragma once

#include "core/records/SessionFilter.h"

#include <array>
#include <optional>
#include <string_view>

namespace tollenvane {

// A ready-made selection the dashboard proposes.
enum class SpacePreset { large, oldVideos, downloads, archives, screenshots, creator };

inline constexpr std::array allSpacePresets{SpacePreset::large,       SpacePreset::oldVideos,
                                            SpacePreset::downloads,   SpacePreset::archives,
                                            SpacePreset::screenshots, SpacePreset::creator};

std::string_view rawValue(SpacePreset preset);
std::optional<SpacePreset> spacePresetFromRaw(std::string_view raw);

// The session filter that opens the preset's selection.
const SessionFilter& filter(SpacePreset preset);

} // namespace tollenvane
