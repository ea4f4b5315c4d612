#pragma once

#include <atomic>
#include <chrono>
#include <vector>

class QString;

namespace tollenvane {

// A decode of any audio file the multimedia backend knows gives up after this long.
inline constexpr std::chrono::seconds audioDecodeTimeout{10};

// The same levels as waveLevels(), for the formats only the multimedia backend decodes. Runs
// its own event loop: call it on a worker thread. Empty when the backend cannot decode the file
// or takes too long.
std::vector<float> decodedAudioLevels(const QString& path, const std::atomic<bool>& cancelled);

} // namespace tollenvane
