#include "app/preview/AudioWaveform.h"

#include "app/decoding/DecoderOutput.h"
#include "app/decoding/DecoderProcess.h"
#include "app/decoding/RegularFile.h"
#include "app/preview/DecodedAudio.h"
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
    return opened.file ? readWaveform(*opened.file, cancelled) : std::vector<float>();
}

std::vector<float> readWaveform(const QFile& file, const std::atomic<bool>& cancelled)
{
    if (file.size() == 0) {
        return {};
    }
    const std::optional<QByteArray> bars =
        DecoderProcess::run(DecoderTask::waveform, file, cancelled);
    return bars ? DecoderOutput::readBars(*bars, Waveform::barCount) : std::vector<float>();
}

std::vector<float> decodeWaveform(QFile& file, const std::atomic<bool>& cancelled)
{
    if (startsAsRiff(file)) {
        // Our own reader knows every WAVE layout worth drawing; a malformed one is not handed on.
        const std::optional<WaveFormat> format = readWaveFormat(file);
        return format ? Waveform::bars(waveLevels(file, *format, cancelled)) : std::vector<float>();
    }
    // Through the descriptor already checked, so the backend reads the very file that was.
    return Waveform::bars(decodedAudioLevels(QStringLiteral("/proc/self/fd/%1").arg(file.handle()),
                                             cancelled, audioDecodeTimeout));
}

} // namespace tollenvane
