#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tollenvane {

// How the loudness of the opening of an audio file becomes the bars of its waveform.
namespace Waveform {

inline constexpr int barCount = 64;
inline constexpr std::int64_t chunkFrames = 4096;
inline constexpr int listenedSeconds = 20;

// The frames read: the first twenty seconds at most.
std::int64_t frameLimit(std::int64_t fileFrames, double sampleRate);
// The root mean square of one chunk of the first channel, between 0 and 1. A sample that is not a
// finite number is left out, one NaN would otherwise spoil every bar; one beyond full scale is
// clipped to it, as a player would, so that no sum overflows.
float chunkLevel(std::span<const float> samples);
// The levels reduced to 64 bars, each the loudest level of its slice, scaled so that the
// loudest bar is 1; near silence is not raised. Empty levels give no bars.
std::vector<float> bars(std::span<const float> levels);

} // namespace Waveform

} // namespace tollenvane
