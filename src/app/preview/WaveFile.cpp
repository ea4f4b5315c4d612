#include "app/preview/WaveFile.h"

#include "app/preview/Waveform.h"

#include <QIODevice>
#include <QtEndian>
#include <array>
#include <cstring>

namespace tollenvane {

namespace {

constexpr std::uint16_t pcmTag = 1;
constexpr std::uint16_t floatTag = 3;
constexpr std::uint16_t extensibleTag = 0xFFFE;
// A header chunk larger than this is not a header.
constexpr quint32 maxFormatChunk = 1024;
// Beyond these no recording goes; a header claiming more is not trusted with a buffer.
constexpr int maxChannels = 32;
constexpr double maxSampleRate = 768'000;

struct ChunkHeader {
    std::array<char, 4> id{};
    quint32 size = 0;
};

std::optional<ChunkHeader> readChunkHeader(QIODevice& device)
{
    std::array<char, 8> bytes{};
    if (device.read(bytes.data(), bytes.size()) != static_cast<qint64>(bytes.size())) {
        return std::nullopt;
    }
    ChunkHeader header;
    std::memcpy(header.id.data(), bytes.data(), 4);
    header.size = qFromLittleEndian<quint32>(bytes.data() + 4);
    return header;
}

bool is(const std::array<char, 4>& id, const char* name)
{
    return std::memcmp(id.data(), name, 4) == 0;
}

std::optional<WaveFormat> parseFormat(const QByteArray& chunk)
{
    if (chunk.size() < 16) {
        return std::nullopt;
    }
    const char* bytes = chunk.constData();
    std::uint16_t tag = qFromLittleEndian<quint16>(bytes);
    WaveFormat format;
    format.channels = qFromLittleEndian<quint16>(bytes + 2);
    format.sampleRate = qFromLittleEndian<quint32>(bytes + 4);
    format.bitsPerSample = qFromLittleEndian<quint16>(bytes + 14);
    if (tag == extensibleTag) {
        if (chunk.size() < 26) {
            return std::nullopt;
        }
        // The sub-format GUID begins with the plain format tag.
        tag = qFromLittleEndian<quint16>(bytes + 24);
    }
    const int bits = format.bitsPerSample;
    if (tag == pcmTag && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) {
        format.encoding = WaveFormat::Encoding::integer;
    } else if (tag == floatTag && (bits == 32 || bits == 64)) {
        format.encoding = WaveFormat::Encoding::floating;
    } else {
        return std::nullopt;
    }
    if (format.channels < 1 || format.channels > maxChannels || format.sampleRate <= 0 ||
        format.sampleRate > maxSampleRate) {
        return std::nullopt;
    }
    return format;
}

float firstChannelSample(const char* frame, const WaveFormat& format)
{
    switch (format.bitsPerSample) {
    case 8:
        return (static_cast<float>(static_cast<unsigned char>(frame[0])) - 128.0F) / 128.0F;
    case 16:
        return static_cast<float>(qFromLittleEndian<qint16>(frame)) / 32768.0F;
    case 24: {
        const auto raw = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(static_cast<unsigned char>(frame[0])) << 8 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(frame[1])) << 16 |
            static_cast<std::uint32_t>(static_cast<unsigned char>(frame[2])) << 24);
        return static_cast<float>(raw / 256) / 8388608.0F;
    }
    case 32:
        if (format.encoding == WaveFormat::Encoding::floating) {
            return qFromLittleEndian<float>(frame);
        }
        return static_cast<float>(static_cast<double>(qFromLittleEndian<qint32>(frame)) /
                                  2147483648.0);
    default:
        return static_cast<float>(qFromLittleEndian<double>(frame));
    }
}

} // namespace

std::optional<WaveFormat> readWaveFormat(QIODevice& device)
{
    const qint64 length = device.size();
    if (!device.seek(0)) {
        return std::nullopt;
    }
    const std::optional<ChunkHeader> riff = readChunkHeader(device);
    std::array<char, 4> wave{};
    if (!riff || !is(riff->id, "RIFF") || device.read(wave.data(), 4) != 4 || !is(wave, "WAVE")) {
        return std::nullopt;
    }
    std::optional<WaveFormat> format;
    while (device.pos() < length) {
        const std::optional<ChunkHeader> chunk = readChunkHeader(device);
        if (!chunk) {
            return std::nullopt;
        }
        const qint64 start = device.pos();
        if (is(chunk->id, "fmt ")) {
            if (chunk->size > maxFormatChunk) {
                return std::nullopt;
            }
            format = parseFormat(device.read(chunk->size));
            if (!format) {
                return std::nullopt;
            }
        } else if (is(chunk->id, "data")) {
            if (!format) {
                return std::nullopt;
            }
            // Recorders that never went back to fill in the size leave it at zero or at its
            // largest; either way, the data runs to the end of the file at most.
            const qint64 available = length - start;
            const qint64 claimed = chunk->size == 0 ? available : qint64{chunk->size};
            format->dataOffset = start;
            format->frames = std::min(claimed, available) / format->bytesPerFrame();
            return format;
        }
        // Chunks are padded to an even length.
        const qint64 next = start + chunk->size + (chunk->size & 1U);
        if (next > length || !device.seek(next)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<float> waveLevels(QIODevice& device, const WaveFormat& format,
                              const std::atomic<bool>& cancelled)
{
    const std::int64_t limit = Waveform::frameLimit(format.frames, format.sampleRate);
    const int frameBytes = format.bytesPerFrame();
    std::vector<float> levels;
    if (limit == 0 || !device.seek(format.dataOffset)) {
        return levels;
    }
    QByteArray buffer(static_cast<qsizetype>(Waveform::chunkFrames * frameBytes),
                      Qt::Uninitialized);
    std::vector<float> samples(static_cast<std::size_t>(Waveform::chunkFrames));
    std::int64_t position = 0;
    while (position < limit && !cancelled.load()) {
        const std::int64_t wanted = std::min(Waveform::chunkFrames, limit - position);
        const qint64 read = device.read(buffer.data(), wanted * frameBytes);
        const std::int64_t frames = read <= 0 ? 0 : read / frameBytes;
        if (frames == 0) {
            break;
        }
        for (std::int64_t frame = 0; frame < frames; ++frame) {
            samples[static_cast<std::size_t>(frame)] =
                firstChannelSample(buffer.constData() + frame * frameBytes, format);
        }
        levels.push_back(Waveform::chunkLevel(
            std::span<const float>(samples.data(), static_cast<std::size_t>(frames))));
        position += frames;
    }
    return levels;
}

} // namespace tollenvane
