#pragma once

#include "core/volumes/StorageVolume.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The rules of the volume picker, apart from its widgets.
namespace tollenvane::VolumeRules {

// How full a volume is, from 0 to 1: empty without a capacity, clamped when the figures
// contradict each other.
double usageFraction(std::int64_t total, std::int64_t free);
// The invitation to plug in a disk, while no listed volume is external.
bool showsExternalHint(const std::vector<StorageVolume>& volumes);
// An external volume by its own name, the computer's by a fixed one.
QString title(const StorageVolume& volume);
// A row is marked only for the device picked; a picked device no longer listed marks none.
bool isSelected(const StorageVolume& volume, std::optional<std::uint64_t> selected);
// The folder chooser cannot add sources during a session, a decision or on a read-only volume.
bool canChooseFolders(const StorageVolume& volume, bool sessionActive, bool busy);

} // namespace tollenvane::VolumeRules
