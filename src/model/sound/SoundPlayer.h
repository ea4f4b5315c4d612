#pragma once

#include "model/sound/Sound.h"

#include <memory>
#include <string_view>

namespace tollenvane {

// Where sounds come from: the platform's audio output and the program's own sound resources.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // The sound resource of that name (type "wav"); nothing when it is missing or cannot be used.
    virtual std::unique_ptr<Sound> load(std::string_view resourceName) = 0;
};

} // namespace tollenvane
