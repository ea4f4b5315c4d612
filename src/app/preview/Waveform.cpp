#include "app/preview/Waveform.h"

#include <algorithm>
#include <cmath>

namespace tollenvane::Waveform {

std::int64_t frameLimit(std::int64_t fileFrames, double sampleRate)
{
    if (fileFrames <= 0 || !(sampleRate > 0)) {
        return 0;
    }
    const double listened = std::trunc(sampleRate * listenedSeconds);
    return listened < static_cast<double>(fileFrames) ? static_cast<std::int64_t>(listened)
                                                      : fileFrames;
}

float chunkLevel(std::span<const float> samples)
{
    float sum = 0;
    std::size_t counted = 0;
    for (const float sample : samples) {
        if (std::isfinite(sample)) {
            const float clipped = std::clamp(sample, -1.0F, 1.0F);
            sum += clipped * clipped;
            ++counted;
        }
    }
    return counted == 0 ? 0.0F : std::sqrt(sum / static_cast<float>(counted));
}

std::vector<float> bars(std::span<const float> levels)
{
    if (levels.empty()) {
        return {};
    }
    const auto count = static_cast<std::int64_t>(levels.size());
    std::vector<float> result;
    result.reserve(barCount);
    for (std::int64_t bar = 0; bar < barCount; ++bar) {
        const std::int64_t first = bar * count / barCount;
        const std::int64_t start = std::min(count - 1, first);
        const std::int64_t end = std::min(count, std::max(first + 1, (bar + 1) * count / barCount));
        result.push_back(*std::max_element(levels.begin() + start, levels.begin() + end));
    }
    const float peak = *std::max_element(result.begin(), result.end());
    const float divisor = peak > 0.001F ? peak : 0.001F;
    for (float& value : result) {
        value /= divisor;
    }
    return result;
}

} // namespace tollenvane::Waveform
