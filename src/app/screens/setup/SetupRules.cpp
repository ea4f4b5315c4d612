#include "app/screens/setup/SetupRules.h"

#include "core/base/Path.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <algorithm>

namespace tollenvane {

std::vector<FileFilter> setupTileTypes()
{
    std::vector<FileFilter> types;
    std::copy_if(allFileFilters.begin(), allFileFilters.end(), std::back_inserter(types),
                 [](FileFilter type) { return type != FileFilter::applications; });
    return types;
}

const std::array<PickerEntry, 4>& minimumSizeEntries()
{
    static constexpr std::array<PickerEntry, 4> entries{{{"Toutes les tailles", 0},
                                                         {"100 Mo", 100'000'000},
                                                         {"500 Mo", 500'000'000},
                                                         {"1 Go", 1'000'000'000}}};
    return entries;
}

const std::array<PickerEntry, 4>& ageEntries()
{
    static constexpr std::array<PickerEntry, 4> entries{{{"Toutes les dates", 0},
                                                         {"Plus de 30 jours", 30},
                                                         {"Plus de 6 mois", 180},
                                                         {"Plus d’un an", 365}}};
    return entries;
}

std::optional<int> entryIndex(std::span<const PickerEntry> entries, std::int64_t value)
{
    const auto found =
        std::find_if(entries.begin(), entries.end(),
                     [value](const PickerEntry& entry) { return entry.value == value; });
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - entries.begin());
}

std::optional<int> volumeEntryIndex(const std::vector<StorageVolume>& volumes,
                                    std::optional<std::uint64_t> device)
{
    if (!device) {
        return 0;
    }
    const auto found =
        std::find_if(volumes.begin(), volumes.end(),
                     [&](const StorageVolume& volume) { return volume.device == *device; });
    if (found == volumes.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - volumes.begin()) + 1;
}

bool canStartSession(std::int64_t matchingCount, bool busy, bool preparingSelection)
{
    return matchingCount > 0 && !busy && !preparingSelection;
}

bool showsEstimateProgress(bool preparingSelection, bool busy)
{
    return preparingSelection || busy;
}

std::string startTitle(bool sessionActive)
{
    return Localization::text(sessionActive ? "Démarrer une autre session" : "Commencer à trier");
}

std::string estimateLine(std::int64_t matchingBytes, bool scanning)
{
    // The catalogue keeps no text with a leading space: the separator's space is added here.
    const std::string suffix =
        scanning ? std::string(" ").append(Localization::text("· analyse en cours")) : "";
    return L("{0} à examiner{1}", formattedBytes(matchingBytes), suffix);
}

std::string estimateNotice(std::int64_t matchingCount, std::int64_t matchingBytes)
{
    return localizedFileCount(matchingCount) + ", " + estimateLine(matchingBytes, false);
}

std::string folderRowName(const std::string& folderPath)
{
    return std::string(path::lastComponent(folderPath));
}

} // namespace tollenvane
