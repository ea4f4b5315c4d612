// The full preview as a blind person hears it, through the screen reader itself.
#include "preview/TestMedia.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The session waiting over the sorted folder resumed from the dashboard, the full preview of its
// card, `file`, opened, then `steps`; what Orca said.
test::Speech previewed(OrcaSession& session, const QString& file, const char* steps,
                       const QString& pictureName)
{
    if (const auto refused = session.writeWaitingSession()) {
        ADD_FAILURE() << *refused;
        return test::Speech::fromLog({}, {});
    }
    const QString opened = QString(R"(
hear "Resume sorting"
press resume Return
hear %1
press preview space
hear "%1 dialog"
)")
                               .arg(file);
    return session.run(opened + steps, pictureName);
}

// Read line by line, then closed.
constexpr const char* readSteps = R"(
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
    session.putFiles({{"notes.txt", lines}});
    const test::Speech speech = previewed(session, "notes.txt", readSteps, "orca-preview.png");
    EXPECT_EQ(session.exitCode(), 0);
    // The sheet, then the text the keyboard is on, both by the file's name.
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt dialog")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("preview", "notes.txt read only text")) << speech.transcript();
    // Read a line at a time as the arrows go down the text.
    EXPECT_TRUE(speech.heardAfter("down", "Ligne 2")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("further", "Ligne 3")) << speech.transcript();
}

// A document's pages, then its last page.
constexpr const char* documentSteps = R"(
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
    const test::Speech speech =
        previewed(session, "invoice.pdf", documentSteps, "orca-preview-document.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("preview", "3 pages")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("last", "notification Page 3 of 3")) << speech.transcript();
}

// A sound's full preview on a desktop with nowhere to play it, as the test's display has none.
constexpr const char* silencedSteps = R"(
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
    session.putFiles({{"son.wav", sound.toStdString()}});
    const test::Speech speech =
        previewed(session, "son.wav", silencedSteps, "orca-preview-silenced.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(
        speech.heardAfter("preview", "notification No sound output is available on this computer."))
        << speech.transcript();
}

} // namespace
} // namespace tollenvane
