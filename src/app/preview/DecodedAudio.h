#pragma once

#include <atomic>
#include <chrono>
#include <vector>

class QString;

namespace tollenvane {

// A decode gives up after this long. The backend may never report a file it cannot make sense
// of, so this is also how long such a file takes to give nothing. Within the decoder process's
// deadline, so that what was decoded by then still comes back.
inline constexpr std::chrono::milliseconds audioDecodeTimeout{3000};

// The same levels as waveLevels(), for the formats only the multimedia backend decodes. Runs
// its own event loop: call it on a worker thread. Empty when the backend cannot decode the file
// or takes longer than `timeout`.
std::vector<float> decodedAudioLevels(const QString& path, const std::atomic<bool>& cancelled,
                                      std::chrono::milliseconds timeout = audioDecodeTimeout);

} // namespace tollenvane
