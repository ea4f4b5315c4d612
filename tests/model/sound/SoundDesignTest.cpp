#include "model/sound/SoundDesign.h"

#include "model/support/FakeServices.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tollenvane {
namespace {

using test::FakeActivity;
using test::RecordingSoundPlayer;

std::string volumeLine(std::string_view cue, float volume)
{
    std::ostringstream line;
    line << "volume " << cue << ' ' << volume;
    return line.str();
}

Preferences withSounds(bool sounds, double volume = 0.45)
{
    Preferences preferences;
    preferences.sounds = sounds;
    preferences.soundVolume = volume;
    return preferences;
}

struct Sounds {
    RecordingSoundPlayer player;
    std::shared_ptr<FakeActivity> activity = std::make_shared<FakeActivity>();

    SoundDesign make() { return SoundDesign(player, activity); }
    const std::vector<std::string>& log() const { return *player.log; }
};

TEST(SoundDesign, SoundsOffSilenceEverythingButThePreview)
{
    Sounds sounds;
    SoundDesign design = sounds.make();
    design.play(SoundCue::keep, withSounds(false), false);
    EXPECT_TRUE(sounds.log().empty());

    design.play(SoundCue::keep, withSounds(false), true);
    EXPECT_EQ(sounds.log(), (std::vector<std::string>{volumeLine("keep", 0.45F), "play keep"}));
}

TEST(SoundDesign, AVolumeOfZeroOrAnInactiveApplicationIsSilence)
{
    Sounds sounds;
    SoundDesign design = sounds.make();
    design.play(SoundCue::keep, withSounds(true, 0), true);
    design.play(SoundCue::complete, withSounds(true, -0.5), false);
    sounds.activity->active = false;
    design.play(SoundCue::trash, withSounds(true), false);
    design.play(SoundCue::keep, withSounds(true), true);
    EXPECT_TRUE(sounds.log().empty());
}

TEST(SoundDesign, NavigationPlaysAtItsShareOfTheVolumeAndOtherCuesInFull)
{
    Sounds sounds;
    SoundDesign design = sounds.make();
    design.play(SoundCue::navigation, withSounds(true, 0.5), false);
    design.play(SoundCue::undo, withSounds(true, 0.5), false);
    EXPECT_EQ(sounds.log(),
              (std::vector<std::string>{volumeLine("navigation", 0.5F * 0.28F), "play navigation",
                                        "stop navigation", volumeLine("undo", 0.5F), "play undo"}));
}

TEST(SoundDesign, ACueCutsThePreviousOneEvenTheSame)
{
    Sounds sounds;
    SoundDesign design = sounds.make();
    const Preferences on = withSounds(true, 1.0);
    design.play(SoundCue::trash, on, false);
    design.play(SoundCue::trash, on, false);
    design.play(SoundCue::later, on, false);
    EXPECT_EQ(sounds.log(), (std::vector<std::string>{"volume trash 1", "play trash", "stop trash",
                                                      "volume trash 1", "play trash", "stop trash",
                                                      "volume later 1", "play later"}));
}

TEST(SoundDesign, ACueWithoutItsFileIsSilentAndTheOthersStillPlay)
{
    Sounds sounds;
    sounds.player.missing = {"swipe-move"};
    SoundDesign design = sounds.make();
    const Preferences on = withSounds(true, 1.0);
    design.play(SoundCue::keep, on, false);
    design.play(SoundCue::move, on, false); // leaves the keep cue playing
    design.play(SoundCue::later, on, false);
    EXPECT_EQ(sounds.log(), (std::vector<std::string>{"volume keep 1", "play keep", "stop keep",
                                                      "volume later 1", "play later"}));
}

TEST(SoundCue, DecisionsMapToTheCueOfTheSameName)
{
    for (const Decision decision : allDecisions) {
        EXPECT_EQ(rawValue(soundCue(decision)), rawValue(decision));
    }
    EXPECT_EQ(resourceName(SoundCue::complete), "swipe-complete");
    EXPECT_EQ(soundCueFromRaw("navigation"), SoundCue::navigation);
    EXPECT_EQ(soundCueFromRaw("swipe-keep"), std::nullopt);
}

} // namespace
} // namespace tollenvane
