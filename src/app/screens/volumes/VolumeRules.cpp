#include "app/screens/volumes/VolumeRules.h"

#include "app/design/ShownName.h"
#include "core/localisation/Localization.h"

#include <algorithm>

namespace tollenvane::VolumeRules {

double usageFraction(std::int64_t total, std::int64_t free)
{
    if (total < 1) {
        return 0;
    }
    const double fraction =
        (static_cast<double>(total) - static_cast<double>(free)) / static_cast<double>(total);
    return std::clamp(fraction, 0.0, 1.0);
}

bool showsExternalHint(const std::vector<StorageVolume>& volumes)
{
    return std::none_of(volumes.begin(), volumes.end(),
                        [](const StorageVolume& volume) { return volume.external; });
}

QString title(const StorageVolume& volume)
{
    return volume.external ? shownName(volume.name)
                           : QString::fromStdString(Localization::text("Votre ordinateur"));
}

bool isSelected(const StorageVolume& volume, std::optional<std::uint64_t> selected)
{
    return selected == volume.device;
}

bool canChooseFolders(const StorageVolume& volume, bool sessionActive, bool busy)
{
    return !sessionActive && !busy && !volume.readOnly;
}

} // namespace tollenvane::VolumeRules
