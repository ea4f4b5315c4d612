#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

class QIODevice;

namespace tollenvane {

// The sample layout of a RIFF/WAVE file: integer PCM of 8 to 32 bits, or 32- or 64-bit floats,
// plain or in the extensible header.
struct WaveFormat {
    enum class Encoding { integer, floating };

    Encoding encoding = Encoding::integer;
    int channels = 0;
    int bitsPerSample = 0;
    double sampleRate = 0;
    std::int64_t dataOffset = 0;
    // In whole frames, and never beyond the end of the file whatever the header claims.
    std::int64_t frames = 0;

    int bytesPerFrame() const { return channels * (bitsPerSample / 8); }
};

// The layout of a WAVE file; nothing when the header is malformed, claims more than 32 channels
// or 768 kHz, or the encoding is not one of the above. Every size in the file is checked against
// the file's real length, so one chunk's buffer is at most 4096 frames of 32 8-byte samples.
std::optional<WaveFormat> readWaveFormat(QIODevice& device);

// One level per chunk of the first twenty seconds, first channel only. A read error ends the
// reading and keeps the levels gathered before it; so does `cancelled`.
std::vector<float> waveLevels(QIODevice& device, const WaveFormat& format,
                              const std::atomic<bool>& cancelled);

} // namespace tollenvane
