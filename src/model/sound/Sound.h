#pragma once

namespace tollenvane {

// One decoded sound, ready to start without reading a file.
class Sound {
public:
    virtual ~Sound() = default;
    // Linear, 0 to 1.
    virtual void setVolume(float volume) = 0;
    // Returns at once; the sound plays on.
    virtual void play() = 0;
    virtual void stop() = 0;
};

} // namespace tollenvane
