#pragma once

#include <atomic>
#include <string>
#include <vector>

class QFile;

namespace tollenvane {

// The 64 bars of the first twenty seconds of an audio file, or none when the file is not on
// this computer, is not a regular file, is empty or cannot be decoded within its deadline. The
// decoding runs in the decoder process. Blocks: call it on a file worker; `cancelled` stops it.
std::vector<float> readWaveform(const std::string& path, const std::atomic<bool>& cancelled);
// The same of the file open as `file`, read from where it stands.
std::vector<float> readWaveform(const QFile& file, const std::atomic<bool>& cancelled);

// The same bars, decoded in this process from an open file: the decoder process's own work.
std::vector<float> decodeWaveform(QFile& file, const std::atomic<bool>& cancelled);

} // namespace tollenvane
