#include "model/sound/SoundCue.h"

#include "core/base/RawValues.h"

namespace tollenvane {

namespace {

constexpr RawValues<SoundCue, 7> raws{{{
    {SoundCue::navigation, "navigation"},
    {SoundCue::keep, "keep"},
    {SoundCue::trash, "trash"},
    {SoundCue::move, "move"},
    {SoundCue::later, "later"},
    {SoundCue::undo, "undo"},
    {SoundCue::complete, "complete"},
}}};

} // namespace

std::string_view rawValue(SoundCue cue)
{
    return raws.raw(cue);
}

std::optional<SoundCue> soundCueFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

SoundCue soundCue(Decision decision)
{
    switch (decision) {
    case Decision::keep:
        return SoundCue::keep;
    case Decision::trash:
        return SoundCue::trash;
    case Decision::move:
        return SoundCue::move;
    case Decision::later:
        return SoundCue::later;
    }
    return SoundCue::keep;
}

std::string resourceName(SoundCue cue)
{
    return "swipe-" + std::string(rawValue(cue));
}

} // namespace tollenvane
