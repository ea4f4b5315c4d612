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

// The session resumed from the dashboard, then the card's full preview, opened, read line by line
// and closed.
constexpr const char* previewSteps = R"(
hear "Resume sorting"
press resume Return
hear notes.txt
press preview space
hear "notes.txt dialog"
hear "notes.txt read only text"
press line Down
hear "Ligne 2"
press next Down
hear "Ligne 3"
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
    // Each line the arrows reach, and that line alone.
    EXPECT_TRUE(speech.after("line").contains("Ligne 2")) << speech.transcript();
    EXPECT_TRUE(speech.after("next").contains("Ligne 3")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
