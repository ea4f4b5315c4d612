#pragma once

namespace tollenvane {

class TextBlock;

// Whether the desktop has an audio output for a sound to be heard on.
bool soundOutputExists();

// What a control that plays a sound says where none can be heard, in the chosen language, named
// "noSoundOutput"; its look is the caller's.
TextBlock* noSoundOutputNotice();

} // namespace tollenvane
