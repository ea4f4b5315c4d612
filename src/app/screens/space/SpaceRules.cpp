#include "app/screens/space/SpaceRules.h"

namespace tollenvane::SpaceRules {

SessionFilter presetFilter(SpacePreset preset, std::optional<std::uint64_t> volume)
{
    SessionFilter result = filter(preset);
    result.volumeDevice = volume;
    return result;
}

bool canFindDuplicates(bool scanning, bool findingDuplicates, std::int64_t indexedCount,
                       bool sessionActive)
{
    return !scanning && !findingDuplicates && indexedCount != 0 && !sessionActive;
}

} // namespace tollenvane::SpaceRules
