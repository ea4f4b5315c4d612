#include "core/insights/FileInsights.h"

#include "core/base/Path.h"
#include "core/records/FileRecord.h"

#include <utility>

namespace tollenvane {

namespace {

template <std::size_t... I>
std::array<FilterMatcher, sizeof...(I)> makeMatchers(Date now, std::index_sequence<I...>)
{
    return {FilterMatcher(filter(allSpacePresets[I]), now)...};
}

} // namespace

PresetMatchers::PresetMatchers(Date now)
    : matchers_(makeMatchers(now, std::make_index_sequence<allSpacePresets.size()>{}))
{}

bool PresetMatchers::matches(SpacePreset preset, const FileRecord& record) const
{
    return matchers_[static_cast<std::size_t>(preset)].matches(record);
}

FileTally FileInsights::tally(FileFilter filter) const
{
    const auto found = types.find(filter);
    return found == types.end() ? FileTally{} : found->second;
}

FileTally FileInsights::tally(SpacePreset preset, std::optional<std::uint64_t> device) const
{
    const std::map<SpacePreset, FileTally>* tallies = &presets;
    if (device) {
        const auto volume = volumePresets.find(*device);
        if (volume == volumePresets.end()) {
            return {};
        }
        tallies = &volume->second;
    }
    const auto found = tallies->find(preset);
    return found == tallies->end() ? FileTally{} : found->second;
}

void FileInsights::apply(const FileRecord& record, const std::vector<std::string>& roots, Date now,
                         int direction)
{
    apply(record, roots, PresetMatchers(now), direction);
}

void FileInsights::apply(const FileRecord& record, const std::vector<std::string>& roots,
                         const PresetMatchers& matchers, int direction)
{
    const std::int64_t size = record.size();
    for (const FileFilter filter : allFileFilters) {
        if (matches(filter, record)) {
            types[filter].apply(direction, size);
        }
    }
    bool inSomePreset = false;
    std::map<SpacePreset, FileTally>* volume = nullptr;
    for (const SpacePreset preset : allSpacePresets) {
        if (!matchers.matches(preset, record)) {
            continue;
        }
        if (volume == nullptr) {
            volume = &volumePresets[record.device()];
        }
        presets[preset].apply(direction, size);
        (*volume)[preset].apply(direction, size);
        inSomePreset = true;
    }
    if (inSomePreset && record.available() && record.linkCount() == 1) {
        candidates.apply(direction, record.allocatedSize());
    }
    for (const std::string& root : roots) {
        if (path::beginsWithFolder(record.path(), root)) {
            sources[root].apply(direction, size);
        }
    }
}

} // namespace tollenvane
