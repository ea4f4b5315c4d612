#include "app/preview/Waveform.h"

#include "TestMedia.h"
#include "app/preview/AudioWaveform.h"
#include "app/preview/DecodedAudio.h"
#include "app/preview/WaveFile.h"
#include "support/EnvironmentVariable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <limits>

namespace tollenvane {
namespace {

using test::SampleFormat;
using test::TempDir;
using test::waveFile;

constexpr int rate = 44'100;
const std::atomic<bool> running{false};

// Each chunk of 4096 frames at its own amplitude, so that levels tell the chunks apart.
float chunkRamp(int frame, int)
{
    return static_cast<float>(frame / 4096 + 1) / 256.0F;
}

std::vector<float> levelsOf(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<WaveFormat> format = readWaveFormat(file);
    return format ? waveLevels(file, *format, running) : std::vector<float>{};
}

TEST(Waveform, ChunksOfTheFirstTwentySeconds)
{
    const TempDir folder;
    // One second: ten full chunks and one of 3,140 frames.
    const std::string second =
        folder.write("second.wav", waveFile(1, rate, SampleFormat::int16, chunkRamp).toStdString());
    const std::vector<float> levels = levelsOf(second);
    ASSERT_EQ(levels.size(), 11U);
    EXPECT_NEAR(levels.back(), 11.0F / 256, 1e-4);

    // Twenty-five seconds: cut at 882,000 frames, 215 full chunks and one of 1,360.
    const std::string longer = folder.write(
        "longer.wav", waveFile(1, 25 * rate, SampleFormat::int16, chunkRamp).toStdString());
    EXPECT_EQ(levelsOf(longer).size(), 216U);
    EXPECT_EQ(Waveform::frameLimit(25 * rate, rate), 882'000);
    EXPECT_EQ(Waveform::frameLimit(1000, rate), 1000);
}

TEST(Waveform, BarsRepeatFewLevelsAndTakeTheLoudestOfMany)
{
    std::vector<float> eleven;
    for (int level = 1; level <= 11; ++level) {
        eleven.push_back(static_cast<float>(level) / 22);
    }
    const std::vector<float> bars = Waveform::bars(eleven);
    ASSERT_EQ(bars.size(), 64U);
    for (int bar = 0; bar < 64; ++bar) {
        EXPECT_FLOAT_EQ(bars[bar], static_cast<float>(bar * 11 / 64 + 1) / 11) << bar;
    }

    std::vector<float> many;
    for (int level = 0; level < 216; ++level) {
        many.push_back(static_cast<float>(level));
    }
    const std::vector<float> reduced = Waveform::bars(many);
    for (int bar = 0; bar < 64; ++bar) {
        // The last level of each slice is its loudest; the last slice ends at the last level.
        EXPECT_FLOAT_EQ(reduced[bar], static_cast<float>((bar + 1) * 216 / 64 - 1) / 215) << bar;
    }
    EXPECT_TRUE(Waveform::bars({}).empty());
}

TEST(Waveform, SilenceAndNearSilenceAreNotRaised)
{
    const std::vector<float> silent(30, 0.0F);
    for (const float bar : Waveform::bars(silent)) {
        EXPECT_EQ(bar, 0.0F);
    }
    const std::vector<float> faint(30, 0.0005F);
    for (const float bar : Waveform::bars(faint)) {
        EXPECT_FLOAT_EQ(bar, 0.5F);
    }
}

TEST(Waveform, TheMultimediaBackendGivesTheSameChunks)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    const TempDir folder;
    const std::string second =
        folder.write("second.wav", waveFile(1, rate, SampleFormat::int16, chunkRamp).toStdString());
    const std::vector<float> levels = decodedAudioLevels(QString::fromStdString(second), running);
    ASSERT_EQ(levels.size(), 11U);
    EXPECT_NEAR(levels.front(), 1.0F / 256, 1e-4);
    EXPECT_NEAR(levels.back(), 11.0F / 256, 1e-4);

    // Not audio at all, and never reported as such by the backend: the deadline ends it.
    const std::string noise = folder.write("noise.ogg", std::string(5000, '\x33'));
    EXPECT_TRUE(
        decodedAudioLevels(QString::fromStdString(noise), running, std::chrono::milliseconds(300))
            .empty());
}

TEST(Waveform, NonFiniteSamplesAreLeftOutAndHugeOnesClipped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<std::vector<float>, float>> chunks{
        {{nan, 1.0F, infinity, -1.0F}, 1.0F},
        {{0.5F, nan, nan, nan}, 0.5F},
        {{1e30F, 0.0F, 0.0F, 0.0F}, 0.5F},
        {{nan, nan}, 0.0F},
    };
    for (const auto& [chunk, level] : chunks) {
        EXPECT_FLOAT_EQ(Waveform::chunkLevel(chunk), level);
    }

    // A quarter of the samples at 0.5 and the rest NaN, but for one huge sample in the sixth
    // chunk: every chunk is about as loud, the sixth a little louder, none silent.
    const TempDir folder;
    const std::string path =
        folder.write("nan.wav", waveFile(1, rate, SampleFormat::float32, [&](int frame, int) {
                                    if (frame == 5 * 4096 + 1) {
                                        return 1e30F;
                                    }
                                    return frame % 4 == 0 ? 0.5F : nan;
                                }).toStdString());
    const std::vector<float> bars = readWaveform(path, running);
    ASSERT_EQ(bars.size(), 64U);
    for (const float bar : bars) {
        EXPECT_GT(bar, 0.99F);
    }
}

TEST(Waveform, OnlyTheFirstChannelCounts)
{
    const TempDir folder;
    const std::string path = folder.write(
        "stereo.wav", waveFile(2, rate, SampleFormat::int16, [](int frame, int channel) {
                          return channel == 0 ? 0.0F : (frame % 2 == 0 ? 0.9F : -0.9F);
                      }).toStdString());
    const std::vector<float> bars = readWaveform(path, running);
    ASSERT_EQ(bars.size(), 64U);
    for (const float bar : bars) {
        EXPECT_EQ(bar, 0.0F);
    }
}

TEST(Waveform, FilesWithoutSoundGiveNoBars)
{
    const TempDir folder;
    const auto silence = [](int, int) { return 0.0F; };
    EXPECT_TRUE(
        readWaveform(
            folder.write("none.wav", waveFile(1, 0, SampleFormat::int16, silence).toStdString()),
            running)
            .empty());
    EXPECT_TRUE(readWaveform(folder.write("empty.wav"), running).empty());
    EXPECT_TRUE(readWaveform(folder / "missing.wav", running).empty());
    const std::string fifo = folder / "pipe.wav";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(readWaveform(fifo, running).empty());

    // A header announcing no channels is refused rather than divided by.
    QByteArray noChannels = waveFile(1, 100, SampleFormat::int16, silence);
    qToLittleEndian<quint16>(0, noChannels.data() + 22);
    EXPECT_TRUE(readWaveform(folder.write("zero.wav", noChannels.toStdString()), running).empty());

    // Channels past any recording's are not trusted with a buffer.
    EXPECT_EQ(
        readWaveform(
            folder.write("many.wav", waveFile(32, 100, SampleFormat::int16, silence).toStdString()),
            running)
            .size(),
        64U);
    EXPECT_TRUE(
        readWaveform(
            folder.write("more.wav", waveFile(33, 100, SampleFormat::int16, silence).toStdString()),
            running)
            .empty());
}

TEST(Waveform, LyingChunkSizesAreHeldToTheFile)
{
    const TempDir folder;
    const auto loud = [](int frame, int) { return frame % 2 == 0 ? 0.5F : -0.5F; };
    QByteArray longData = waveFile(1, 5000, SampleFormat::int16, loud);
    qToLittleEndian<quint32>(0xFFFFFFF0U, longData.data() + 40); // data size
    qToLittleEndian<quint32>(0xFFFFFFF0U, longData.data() + 4);  // RIFF size
    const std::string path = folder.write("long.wav", longData.toStdString());
    EXPECT_EQ(levelsOf(path).size(), 2U);

    QByteArray hugeFormat = waveFile(1, 5000, SampleFormat::int16, loud);
    qToLittleEndian<quint32>(0x7FFFFFFFU, hugeFormat.data() + 16); // fmt size
    EXPECT_TRUE(
        readWaveform(folder.write("format.wav", hugeFormat.toStdString()), running).empty());
}

} // namespace
} // namespace tollenvane
