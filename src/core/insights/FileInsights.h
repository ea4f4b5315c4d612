#pragma once

#include "core/base/Date.h"
#include "core/insights/FileTally.h"
#include "core/insights/SpacePreset.h"
#include "core/records/FileFilter.h"
#include "core/records/FilterMatcher.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

class FileRecord;

// The presets' filters made ready for one moment, so that counting a record judges it without
// preparing anything.
class PresetMatchers {
public:
    explicit PresetMatchers(Date now);

    bool matches(SpacePreset preset, const FileRecord& record) const;

private:
    std::array<FilterMatcher, allSpacePresets.size()> matchers_;
};

// Everything the dashboard counts about the indexed files. Entries appear at zero on first use
// and stay, at zero, once their files are gone.
struct FileInsights {
    std::map<FileFilter, FileTally> types;
    std::map<SpacePreset, FileTally> presets;
    std::map<std::uint64_t, std::map<SpacePreset, FileTally>> volumePresets;
    std::map<std::string, FileTally> sources;
    FileTally candidates; // with allocated sizes
    std::int64_t allocatedBytes = 0;

    FileTally tally(FileFilter filter) const;
    FileTally tally(SpacePreset preset, std::optional<std::uint64_t> device = std::nullopt) const;

    // Counts the record in (+1) or out (-1). `roots` are standardised paths; a record under
    // two nested roots counts under both. `allocatedBytes` is the caller's: only it knows
    // which records share a file.
    void apply(const FileRecord& record, const std::vector<std::string>& roots, Date now,
               int direction);
    void apply(const FileRecord& record, const std::vector<std::string>& roots,
               const PresetMatchers& presets, int direction);

    bool operator==(const FileInsights&) const = default;
};

} // namespace tollenvane
