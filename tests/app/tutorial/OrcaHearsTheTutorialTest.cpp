// The first-run tutorial as a blind person hears it, through the screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

using test::OrcaSession;

// From the first step, where the keyboard is on Continue: on twice, back once from the Back
// button, then a demonstration asked from its Keep button.
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
}

} // namespace
} // namespace tollenvane
