#pragma once

#include "model/sound/SoundPlayer.h"

namespace tollenvane {

// Sounds from the program's resources (":/sounds/<name>.wav"), played by Qt Multimedia on the
// default audio output. Main thread only. A machine without audio output plays nothing.
class QtSoundPlayer final : public SoundPlayer {
public:
    std::unique_ptr<Sound> load(std::string_view resourceName) override;
};

} // namespace tollenvane
