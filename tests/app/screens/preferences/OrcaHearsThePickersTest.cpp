// The pickers, the appearance choice and the volume as a blind person hears them, through the
// screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The application over a home whose tutorial is done, in English rather than the system's
// language, with Orca listening.
class OrcaHearsThePickers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto why = OrcaSession::missing()) {
            GTEST_SKIP() << *why;
        }
        session_.emplace();
        try {
            SavedState state = test::stateWithSource(session_->source());
            state.preferences.language = AppLanguage::en;
            session_->write(state);
        } catch (const std::exception& refused) {
            GTEST_SKIP() << "the scratch folder cannot be a source: " << refused.what();
        }
    }

    const std::string& source() const { return session_->source(); }
    // A first run instead, the tutorial open on its first step with the keyboard on Continue.
    void startFirstRun() const { session_->write(SavedState{}); }

    // What Orca spoke along `steps`, from where the window opens. The steps may also ask `said
    // TEXT`: whether Orca has said TEXT since the last mark, a moment after it.
    test::Speech heard(const char* steps, const QString& pictureName)
    {
        static const QString said = QStringLiteral(
            "said() { sleep 0.4; tail -c +$(($(tail -n 1 \"$MARKS\" | cut -d' ' -f1) + 1)) "
            "\"$ORCA_LOG\" | grep -a \"SPEECH OUTPUT\" | grep -aqF -- \"$1\"; }\n");
        test::Speech speech = session_->run(said + steps, pictureName);
        EXPECT_EQ(session_->exitCode(), 0);
        return speech;
    }

private:
    std::optional<OrcaSession> session_;
};

// The language first: the page is in Spanish after it.
constexpr const char* settingsSteps = R"(
press settings ctrl+comma
hear English
quiet
press spanish Down
hear Español
quiet
press appearance Tab Tab
hear Apariencia
quiet
press light Tab
quiet
press chosen space
hear selected
quiet
press volume Tab Tab Tab
hear 45
quiet
press louder Right
hear 46
quiet
press size Tab Tab Tab Tab Tab
hear Ninguno
quiet
press bigger Down
hear 1 MB
quiet
)";

// Whether an utterance after `mark` begins with `start`.
bool heardFirst(const test::Speech& speech, const QString& mark, const QString& start)
{
    const QStringList heard = speech.after(mark);
    return std::any_of(heard.begin(), heard.end(),
                       [&start](const QString& one) { return one.startsWith(start); });
}

TEST_F(OrcaHearsThePickers, TheSettingsLanguageAppearanceVolumeAndSize)
{
    const test::Speech speech = heard(settingsSteps, "orca-settings.png");
    EXPECT_TRUE(speech.heardAfter("settings", "Language combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("settings", "English")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("spanish", "Español")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("appearance", "Apariencia")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "chosen", "selected")) << speech.transcript();
    // The percent shown, not the slider's step: 45 rather than 450.
    EXPECT_TRUE(speech.heardAfter("volume", "slider 45.")) << speech.transcript();
    EXPECT_TRUE(speech.after("louder").contains("46")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("size", "Ninguno")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "bigger", "1 MB")) << speech.transcript();
}

// The size picker lies past the search and the type tiles: Tab until it is heard, then back
// and forth so that reaching it has a mark of its own. The start button lies past the switches.
constexpr const char* setupSteps = R"(
press setup ctrl+n
hear All sources
quiet
for i in $(seq 16); do press seek$i Tab; said "Size combo box" && break; done
quiet
press back shift+Tab
quiet
press size Tab
hear All sizes
quiet
press larger Down
hear 100 MB
quiet
press smaller Up
hear All sizes
quiet
press age Tab
hear All dates
quiet
press open alt+Down
quiet
press older Down
hear Over 30 days
quiet
press picked Return
quiet
press newer Up
hear All dates
quiet
for i in $(seq 8); do press seekstart$i Tab; said "Start sorting" && break; done
quiet
press sorting Return
hear .bin
quiet
)";

TEST_F(OrcaHearsThePickers, TheSessionSetUpsPickersAndItsStart)
{
    for (const char* name : {"un.bin", "deux.bin"}) {
        std::ofstream(fs::path(source()) / name, std::ios::binary) << std::string(2000, 'x');
    }
    const test::Speech speech = heard(setupSteps, "orca-setup.png");
    EXPECT_TRUE(speech.heardAfter("setup", "Disk combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("setup", "All sources")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("size", "Size combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("size", "All sizes")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "larger", "100 MB")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "smaller", "All sizes")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("age", "Age combo box")) << speech.transcript();
    // From the opened list too.
    EXPECT_TRUE(speech.heardAfter("older", "Over 30 days")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("picked", "Over 30 days")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "newer", "All dates")) << speech.transcript();
    // Started, the focus goes from the button to the first card, not by the sidebar.
    EXPECT_TRUE(speech.heardAfter("sorting", ".bin")) << speech.transcript();
    EXPECT_FALSE(speech.heardAfter("sorting", "Home")) << speech.transcript();
}

// Step 4, where Continue leaves the keyboard on its last button; the language picker lies above,
// in the tutorial's header.
constexpr const char* tutorialSteps = R"(
press second Return
quiet
press third Return
quiet
press fourth Return
hear "Step 4 of 4"
quiet
press appearance shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
hear Appearance
quiet
press light Right
hear Light
quiet
for i in $(seq 8); do press seek$i shift+Tab; said "Language combo box" && break; done
quiet
press french Down
hear Français
quiet
)";

TEST_F(OrcaHearsThePickers, TheTutorialsAppearanceAndLanguage)
{
    startFirstRun();
    const test::Speech speech = heard(tutorialSteps, "orca-tutorial-choices.png");
    EXPECT_TRUE(speech.heardAfter("appearance", "Appearance panel")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("light", "Light")) << speech.transcript();
    // From the system's language to the first of the others, and the tutorial in it.
    EXPECT_TRUE(speech.heardAfter("french", "Langue combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("french", "Français")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
