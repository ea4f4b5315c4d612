// The full preview as a blind person hears it, through the screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The session resumed from the dashboard, then the card's full preview, opened and closed.
constexpr const char* previewSteps = R"(
hear "Resume sorting"
press resume Return
hear notes.txt
press preview space
hear "notes.txt dialog"
hear "notes.txt read only text"
press closed Escape
hear "notes.txt, Documents"
)";

TEST(OrcaHearsThePreview, ItOpensOnTheFileItShows)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    std::string lines;
    for (int line = 1; line <= 200; ++line) {
        lines += "Ligne " + std::to_string(line) + "\n";
    }
    std::ofstream(fs::path(session.source()) / "notes.txt", std::ios::binary) << lines;
    SavedState state;
    try {
        state = test::stateWithSource(session.source());
    } catch (const std::exception& refused) {
        FAIL() << "the scratch folder cannot be a source: " << refused.what();
    }
    state.pendingSession = test::waitingSession();
    session.write(state);
    const test::Speech speech = session.run(previewSteps, "orca-preview.png");
    EXPECT_EQ(session.exitCode(), 0);
    // The sheet, then the text the keyboard is on, both by the file's name.
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt dialog")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt read only text")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
