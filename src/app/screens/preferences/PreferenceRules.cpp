#include "app/screens/preferences/PreferenceRules.h"

#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <algorithm>
#include <cmath>

namespace tollenvane::PreferenceRules {

int sliderPosition(double volume)
{
    if (!std::isfinite(volume)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * volumeSteps));
}

double volumeAt(int position)
{
    return static_cast<double>(std::clamp(position, 0, volumeSteps)) / volumeSteps;
}

QString percentText(double volume)
{
    return QString::fromStdString(localizedPercent(volume));
}

int minimumSizeIndex(std::int64_t bytes)
{
    const auto found = std::find_if(minimumSizes.begin(), minimumSizes.end(),
                                    [bytes](const auto& option) { return option.bytes == bytes; });
    return found == minimumSizes.end() ? -1 : static_cast<int>(found - minimumSizes.begin());
}

QString keyText(const Shortcut& shortcut)
{
    return QString::fromStdString(shortcut.keyLookedUp ? Localization::text(shortcut.key)
                                                       : std::string(shortcut.key));
}

Availability availability(bool busy, bool sessionActive)
{
    return Availability{.replayTutorial = !busy,
                        .scanSettings = !sessionActive,
                        .rescan = !busy && !sessionActive,
                        .forgetDecisions = !busy && !sessionActive};
}

} // namespace tollenvane::PreferenceRules
