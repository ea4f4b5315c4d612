#pragma once

#include "core/records/Preferences.h"
#include "model/sound/ApplicationActivity.h"
#include "model/sound/Sound.h"
#include "model/sound/SoundCue.h"
#include "model/sound/SoundPlayer.h"

#include <map>
#include <memory>

namespace tollenvane {

// Plays the cues as the user's sound preferences allow. Every sound is decoded once, when this
// is made, so a cue starts at once; a new cue cuts the previous one instead of mixing with it.
// Main thread only.
class SoundDesign {
public:
    // The change of page is a light touch: it plays at this share of the chosen volume.
    static constexpr float navigationShare = 0.28F;

    SoundDesign(SoundPlayer& player, std::shared_ptr<const ApplicationActivity> activity);
    SoundDesign(const SoundDesign&) = delete;
    SoundDesign& operator=(const SoundDesign&) = delete;

    // `preview`: the user asked to hear the cue, so the sounds switch is passed over (the
    // volume is not). A cue without a sound, a volume of 0 or an inactive application is silence.
    void play(SoundCue cue, const Preferences& preferences, bool preview);

private:
    std::shared_ptr<const ApplicationActivity> activity_;
    std::map<SoundCue, std::unique_ptr<Sound>> sounds_;
    Sound* active_ = nullptr;
};

} // namespace tollenvane
