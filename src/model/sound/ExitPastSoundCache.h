#pragma once

namespace tollenvane {

// Ends the process without running static destructors. Qt 6.4's shared cache of sound effects
// can deadlock in its own: it holds its lock while it waits for its loading thread, which may be
// waiting for that lock to hand over a sample still loading. Call it once everything of ours is
// destroyed; standard streams are flushed first.
[[noreturn]] void exitPastSoundCache(int code);

} // namespace tollenvane
