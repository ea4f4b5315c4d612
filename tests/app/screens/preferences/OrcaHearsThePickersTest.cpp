// The pickers, the appearance choice and the volume as a blind person hears them, through the
// screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace tollenvane {
namespace {

using test::OrcaSession;

// The application over a home whose tutorial is done, in English rather than the system's
// language, with Orca listening.
class OrcaHearsThePickers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const auto why = OrcaSession::missing()) {
            SKIP_OR_FAIL(*why);
        }
        session_.emplace();
        if (const auto refused = session_->writeWithSource(
                [](SavedState& state) { state.preferences.language = AppLanguage::en; })) {
            FAIL() << *refused;
        }
    }

    const OrcaSession& session() const { return *session_; }
    // A first run instead, the tutorial open on its first step with the keyboard on Continue.
    void startFirstRun() const { session_->write(SavedState{}); }

    // What Orca spoke along `steps`, from where the window opens.
    test::Speech heard(const char* steps, const QString& pictureName)
    {
        test::Speech speech = session_->run(steps, pictureName);
        EXPECT_EQ(session_->exitCode(), 0);
        return speech;
    }

private:
    std::optional<OrcaSession> session_;
};

// The language first: the page is in Spanish after it.
constexpr const char* settingsSteps = R"(
press settings ctrl+comma
hear "Language combo box"
hear English
press spanish Down
hear Español
press appearance Tab Tab
hear Apariencia
press light Tab
moved
press chosen space
hear selected
press volume Tab Tab Tab
hear "slider 45."
press louder Right
hear 46
press size Tab Tab Tab Tab Tab
hear Ninguno
press bigger Down
hear "1 MB"
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
// and forth so that reaching it has a mark of its own. The age's list opens with Space: an Alt
// that reaches the window late, as a busy screen reader lets it, opens the menu bar instead. The
// start button lies past the switches.
constexpr const char* setupSteps = R"(
hear "Start sorting"
press setup ctrl+n
hear "Disk combo box"
hear "All sources"
reach seek "Size combo box" Tab max 16
press back shift+Tab
moved
press size Tab
hear "Size combo box"
hear "All sizes"
press larger Down
hear "100 MB"
hear "0 files, 0 B to review"
press smaller Up
hear "All sizes"
hear "2 files, "
press age Tab
hear "Age combo box"
hear "All dates"
press open space
moved
press older Down
hear "Over 30 days"
press picked Return
hear "Over 30 days"
press newer Up
hear "All dates"
reach seekstart "Start sorting" Tab max 8
press sorting Return
hear .bin
)";

TEST_F(OrcaHearsThePickers, TheSessionSetUpsPickersAndItsStart)
{
    const std::string content(2000, 'x');
    session().putFiles({{"un.bin", content}, {"deux.bin", content}});
    const test::Speech speech = heard(setupSteps, "orca-setup.png");
    EXPECT_TRUE(speech.heardAfter("setup", "Disk combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("setup", "All sources")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("size", "Size combo box")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("size", "All sizes")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "larger", "100 MB")) << speech.transcript();
    EXPECT_TRUE(heardFirst(speech, "smaller", "All sizes")) << speech.transcript();
    // The new figures to review, where the keyboard stays on the picker.
    EXPECT_TRUE(speech.heardAfter("larger", "notification 0 files, 0 B to review"))
        << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("smaller", "notification 2 files, ")) << speech.transcript();
    // The type tiles are heard in their named group on the way to the size.
    EXPECT_NE(speech.transcript().find("File Type panel"), std::string::npos)
        << speech.transcript();
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
hear Continue
press second Return
hear "Step 2 of 4"
press third Return
hear "Step 3 of 4"
press fourth Return
hear "Step 4 of 4"
press appearance shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
hear "Appearance panel"
press light Right
hear Light
reach seek "Language combo box" shift+Tab max 8
press french Down
hear "Langue combo box"
hear Français
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
