#pragma once

#include "core/records/FileFilter.h"
#include "core/volumes/StorageVolume.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// One entry of a limits picker: its catalogue key and the filter value it stands for.
struct PickerEntry {
    std::string_view key;
    std::int64_t value;
};

// The type tiles in grid order: every type but applications, whose sessions start from their
// own page.
std::vector<FileFilter> setupTileTypes();

// The minimum sizes offered, in bytes, and the ages, in days since the last change.
const std::array<PickerEntry, 4>& minimumSizeEntries();
const std::array<PickerEntry, 4>& ageEntries();

// The entry standing for `value`; none when no entry does, so that a value stored elsewhere
// marks nothing and stays as it is.
std::optional<int> entryIndex(std::span<const PickerEntry> entries, std::int64_t value);

// The "Disque" picker's entry for `device`: 0 for every source, then one per listed volume;
// none for a volume no longer listed, which is shown unmarked and kept.
std::optional<int> volumeEntryIndex(const std::vector<StorageVolume>& volumes,
                                    std::optional<std::uint64_t> device);

// The start button may start a session over the estimate shown.
bool canStartSession(std::int64_t matchingCount, bool busy, bool preparingSelection);
// The small progress indicator beside the counts turns.
bool showsEstimateProgress(bool preparingSelection, bool busy);

std::string startTitle(bool sessionActive);
// "{0} à examiner{1}": the bytes of the estimate, marked while a scan may still add files.
std::string estimateLine(std::int64_t matchingBytes, bool scanning);
// The figures beside the start button read out as one: "0 files, 0 B to review".
std::string estimateNotice(std::int64_t matchingCount, std::int64_t matchingBytes);
// The folder a filter is limited to, by its own name.
std::string folderRowName(const std::string& folderPath);

} // namespace tollenvane
