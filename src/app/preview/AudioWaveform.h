#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace tollenvane {

// The 64 bars of the first twenty seconds of an audio file, or none when the file is not on
// this computer, is not a regular file, is empty or cannot be decoded. Blocks: call it on a
// worker thread; `cancelled` stops it between chunks.
std::vector<float> readWaveform(const std::string& path, const std::atomic<bool>& cancelled);

} // namespace tollenvane
