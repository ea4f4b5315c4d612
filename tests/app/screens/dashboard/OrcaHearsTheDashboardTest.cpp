// The home page as a blind person hears it, through the screen reader itself: each tile with
// the figures it shows, and the volume's card with its free space.
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

using test::OrcaSession;

// From the card's call to action, where the keyboard starts, to the first two type tiles, and
// back into the card.
constexpr const char* tileSteps = R"(
hear "Start sorting"
press disks Tab
hear "Your disks"
press screenshots Tab
hear Screenshots
press images Tab
hear Images
press back shift+Tab shift+Tab
hear "Your disks"
)";

TEST(OrcaHearsTheDashboard, EachTileWithItsFiguresAndTheCardWithItsFreeSpace)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const std::string picture(1000, 'x');
    session.putFiles({{"a.png", picture}, {"b.png", picture}, {"c.png", picture}});
    if (const auto refused = session.writeWithSource()) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(tileSteps, "orca-dashboard.png");
    EXPECT_EQ(session.exitCode(), 0);
    const auto heard = [&speech](const char* mark, const char* text) {
        EXPECT_TRUE(speech.heardAfter(mark, QString::fromUtf8(text)))
            << mark << ": " << text << '\n'
            << speech.transcript();
    };
    heard("screenshots", "Screenshots, 0 files, 0 B");
    heard("images", "Images, 3 files, ");
    // Back into the card, its figures are heard before the control.
    heard("back", "free now");
}

} // namespace
} // namespace tollenvane
