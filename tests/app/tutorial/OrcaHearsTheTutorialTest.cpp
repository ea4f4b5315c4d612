// The first-run tutorial as a blind person hears it, through the screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

using test::OrcaSession;

// From the first step, where the keyboard is on Continue: on twice, back once from the Back
// button, then a demonstration asked from its Keep button, and on and back once more.
constexpr const char* tutorialSteps = R"(
hear Continue
press second Return
hear "Step 2 of 4: One gesture is enough."
press third Return
hear "Step 3 of 4: Where shall we start?"
press toBack shift+Tab
hear Back
press back Return
hear "Step 2 of 4"
press toKeep shift+Tab shift+Tab shift+Tab
hear Keep
press keep Return
hear "Kept. The file stays where it is."
reach toNext "Continue push button" Tab max 12
press next Return
hear "Step 3 of 4"
press toBackAgain shift+Tab
hear Back
press backAgain Return
hear "Step 2 of 4"
)";

TEST(OrcaHearsTheTutorial, EachStepTheButtonsTurnToAndTheDemonstrationsMessage)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.write(SavedState{});
    const test::Speech speech = session.run(tutorialSteps, "orca-tutorial.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("second", "Step 2 of 4: One gesture is enough."))
        << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("third", "Step 3 of 4: Where shall we start?"))
        << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("back", "Step 2 of 4")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("keep", "Kept. The file stays where it is."))
        << speech.transcript();
    // The step is heard again, without the message of a demonstration left behind.
    EXPECT_FALSE(speech.heardAfter("backAgain", "Kept")) << speech.transcript();
}

// On the third step, a folder chosen with the keys through the chooser the step opens.
constexpr const char* chosenFolderSteps = R"(
hear Continue
press second Return
hear "Step 2 of 4"
press third Return
hear "Step 3 of 4"
reach toAdd "Add another folder push button" Tab max 12
press add Return
hear "Folders to scan dialog"
choose accept "$SOURCE"
hear "Folder added"
)";

TEST(OrcaHearsTheTutorial, TheFolderAddedOnTheThirdStep)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.write(SavedState{});
    const test::Speech speech = session.run(chosenFolderSteps, "orca-tutorial-folder.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("accept", "Folder added")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("accept", "Tri")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
