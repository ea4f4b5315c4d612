#pragma once

#include "core/insights/SpacePreset.h"
#include "core/records/SessionFilter.h"

#include <cstdint>
#include <optional>

// The rules of the space page, apart from its widgets.
namespace tollenvane::SpaceRules {

// A preset's selection on the picked volume; with none picked it spans every volume.
SessionFilter presetFilter(SpacePreset preset, std::optional<std::uint64_t> volume);
// A duplicate search needs indexed files, a finished scan, no search under way and no session.
bool canFindDuplicates(bool scanning, bool findingDuplicates, std::int64_t indexedCount,
                       bool sessionActive);

} // namespace tollenvane::SpaceRules
