// The full preview as a blind person hears it, through the screen reader itself.
#include "core/persistence/SavedState.h"
#include "preview/TestMedia.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The session resumed from the dashboard, then the card's full preview, opened, read line by
// line and closed.
constexpr const char* previewSteps = R"(
hear "Resume sorting"
press resume Return
hear notes.txt
press preview space
hear "notes.txt dialog"
hear "notes.txt read only text"
press down Down
hear "Ligne 2"
press further Down
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
    if (const auto refused = session.writeWaitingSession()) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(previewSteps, "orca-preview.png");
    EXPECT_EQ(session.exitCode(), 0);
    // The sheet, then the text the keyboard is on, both by the file's name.
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt dialog")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt read only text")) << speech.transcript();
    // Read a line at a time as the arrows go down the text.
    EXPECT_TRUE(speech.heardAfter("down", "Ligne 2")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("further", "Ligne 3")) << speech.transcript();
}

// A document's full preview, then its last page.
constexpr const char* documentSteps = R"(
hear "Resume sorting"
press resume Return
hear invoice.pdf
press preview space
hear "invoice.pdf dialog"
hear "3 pages"
press last End
hear "Page 3 of 3"
)";

TEST(OrcaHearsThePreview, ADocumentsPagesAndThePageScrolledTo)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    test::writeBarePdf(fs::path(session.source()) / "invoice.pdf", {595, 842}, 3);
    if (const auto refused = session.writeWaitingSession()) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(documentSteps, "orca-preview-document.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("preview", "3 pages")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("last", "notification Page 3 of 3")) << speech.transcript();
}

// A sound's full preview on a desktop with nowhere to play it, as the test's display has none.
constexpr const char* silencedSteps = R"(
hear "Resume sorting"
press resume Return
hear son.wav
press preview space
hear "son.wav dialog"
hear "No sound output is available on this computer."
)";

TEST(OrcaHearsThePreview, ASoundWithNowhereToBeHeardSaysSo)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const QByteArray sound =
        test::waveFile(1, 2 * 44'100, test::SampleFormat::int16, [](int frame, int) {
            return 0.3F * static_cast<float>(std::sin(frame / 15.0));
        });
    std::ofstream(fs::path(session.source()) / "son.wav", std::ios::binary)
        .write(sound.constData(), sound.size());
    if (const auto refused = session.writeWaitingSession()) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(silencedSteps, "orca-preview-silenced.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(
        speech.heardAfter("preview", "notification No sound output is available on this computer."))
        << speech.transcript();
}

} // namespace
} // namespace tollenvane
