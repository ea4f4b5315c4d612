#pragma once

#include "core/records/Decision.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// The short sounds that mark a change of page, a decision, an undo and the end of a session.
enum class SoundCue { navigation, keep, trash, move, later, undo, complete };

inline constexpr std::array allSoundCues{SoundCue::navigation, SoundCue::keep,  SoundCue::trash,
                                         SoundCue::move,       SoundCue::later, SoundCue::undo,
                                         SoundCue::complete};

std::string_view rawValue(SoundCue cue);
std::optional<SoundCue> soundCueFromRaw(std::string_view raw);

// The cue of the same name as the decision.
SoundCue soundCue(Decision decision);

// The name of the cue's sound resource, without its type: "swipe-keep".
std::string resourceName(SoundCue cue);

} // namespace tollenvane
