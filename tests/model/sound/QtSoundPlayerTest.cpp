#include "model/sound/QtSoundPlayer.h"

#include "model/sound/SoundCue.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cstring>

namespace tollenvane {
namespace {

std::uint32_t little32(const QByteArray& bytes, int offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

std::uint16_t little16(const QByteArray& bytes, int offset)
{
    std::uint16_t value = 0;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

// The cues are short PCM files that any audio output can take.
TEST(QtSoundPlayer, EveryCueIsAShortPcmWaveInsideTheProgram)
{
    for (const SoundCue cue : allSoundCues) {
        QFile file(QStringLiteral(":/sounds/") + QString::fromStdString(resourceName(cue)) +
                   QStringLiteral(".wav"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << resourceName(cue);
        const QByteArray bytes = file.readAll();
        ASSERT_GE(bytes.size(), 44);
        EXPECT_TRUE(bytes.startsWith("RIFF"));
        EXPECT_EQ(bytes.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_EQ(little16(bytes, 20), 1U); // PCM
        EXPECT_EQ(little16(bytes, 34), 16U);
        const std::uint32_t byteRate = little32(bytes, 28);
        const std::uint32_t dataBytes = little32(bytes, 40);
        EXPECT_GT(dataBytes, byteRate / 50) << resourceName(cue); // longer than 20 ms
        EXPECT_LT(dataBytes, byteRate) << resourceName(cue);      // shorter than a second
    }
}

TEST(QtSoundPlayer, AMissingResourceHasNoSoundAndPlayingNeverFails)
{
    QtSoundPlayer player;
    EXPECT_EQ(player.load("swipe-nothing"), nullptr);
    const auto sound = player.load(resourceName(SoundCue::keep));
    ASSERT_NE(sound, nullptr);
    // Whether or not this machine has an audio output.
    sound->setVolume(0.3F);
    sound->play();
    sound->stop();
}

} // namespace
} // namespace tollenvane
