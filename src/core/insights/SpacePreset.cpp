#include "core/insights/SpacePreset.h"

#include "core/base/RawValues.h"

namespace tollenvane {

namespace {

constexpr RawValues<SpacePreset, 6> raws{{{
    {SpacePreset::large, "large"},
    {SpacePreset::oldVideos, "oldVideos"},
    {SpacePreset::downloads, "downloads"},
    {SpacePreset::archives, "archives"},
    {SpacePreset::screenshots, "screenshots"},
    {SpacePreset::creator, "creator"},
}}};

SessionFilter presetFilter(FileFilter type, std::int64_t minimumSize, std::int64_t olderThanDays,
                           bool downloadsOnly)
{
    SessionFilter filter;
    filter.type = type;
    filter.minimumSize = minimumSize;
    filter.olderThanDays = olderThanDays;
    filter.largestFirst = true;
    filter.downloadsOnly = downloadsOnly;
    return filter;
}

} // namespace

std::string_view rawValue(SpacePreset preset)
{
    return raws.raw(preset);
}

std::optional<SpacePreset> spacePresetFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

const SessionFilter& filter(SpacePreset preset)
{
    static const std::array<SessionFilter, allSpacePresets.size()> filters{
        presetFilter(FileFilter::all, 1'000'000'000, 0, false),
        presetFilter(FileFilter::videos, 0, 180, false),
        presetFilter(FileFilter::all, 0, 30, true),
        presetFilter(FileFilter::archives, 100'000'000, 30, false),
        presetFilter(FileFilter::screenshots, 0, 30, false),
        presetFilter(FileFilter::videos, 500'000'000, 0, false),
    };
    return filters[static_cast<std::size_t>(preset)];
}

} // namespace tollenvane
