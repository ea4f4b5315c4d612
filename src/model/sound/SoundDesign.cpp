#include "model/sound/SoundDesign.h"

namespace tollenvane {

SoundDesign::SoundDesign(SoundPlayer& player, std::shared_ptr<const ApplicationActivity> activity)
    : activity_(std::move(activity))
{
    for (const SoundCue cue : allSoundCues) {
        if (auto sound = player.load(resourceName(cue))) {
            sounds_.emplace(cue, std::move(sound));
        }
    }
}

void SoundDesign::play(SoundCue cue, const Preferences& preferences, bool preview)
{
    if (!preferences.sounds && !preview) {
        return;
    }
    if (!(preferences.soundVolume > 0)) {
        return;
    }
    if (!activity_->isActive()) {
        return;
    }
    const auto found = sounds_.find(cue);
    if (found == sounds_.end()) {
        return;
    }
    if (active_ != nullptr) {
        active_->stop();
    }
    Sound& sound = *found->second;
    const float share = cue == SoundCue::navigation ? navigationShare : 1.0F;
    sound.setVolume(static_cast<float>(preferences.soundVolume) * share);
    active_ = &sound;
    sound.play();
}

} // namespace tollenvane
