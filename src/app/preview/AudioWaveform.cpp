#include "app/preview/AudioWaveform.h"

#include "app/preview/DecodedAudio.h"
#include "app/preview/RegularFile.h"
#include "app/preview/WaveFile.h"
#include "app/preview/Waveform.h"
#include "core/records/FileRecord.h"

#include <exception>

namespace tollenvane {

namespace {

bool availableHere(const std::string& path)
{
    try {
        return FileRecord::isAvailableLocally(path);
    } catch (const std::exception&) {
        return false;
    }
}

bool startsAsRiff(QIODevice& device)
{
    return device.peek(4) == "RIFF";
}

} // namespace

std::vector<float> readWaveform(const std::string& path, const std::atomic<bool>& cancelled)
{
    if (!availableHere(path)) {
        return {};
    }
    const RegularFile opened = openRegularFile(path);
    if (!opened.file || opened.file->size() == 0) {
        return {};
    }
    QFile& file = *opened.file;
    if (startsAsRiff(file)) {
        // Our own reader knows every WAVE layout worth drawing; a malformed one is not handed on.
        const std::optional<WaveFormat> format = readWaveFormat(file);
        return format ? Waveform::bars(waveLevels(file, *format, cancelled)) : std::vector<float>();
    }
    return Waveform::bars(decodedAudioLevels(QString::fromStdString(path), cancelled));
}

} // namespace tollenvane
