// The deck as a blind person hears it, through the screen reader itself.
#include "core/persistence/SavedState.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"

#include <gtest/gtest.h>

#include <QUuid>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// A largest-first session over the home's sorted folder, waiting to be resumed.
SavedState resumable(const std::string& source)
{
    SavedState state = test::stateWithSource(source);
    SessionCheckpoint checkpoint;
    checkpoint.filter.largestFirst = true;
    checkpoint.summary.id =
        QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
    state.pendingSession = checkpoint;
    return state;
}

// Resumed from the dashboard, where Return resumes; then a decision, a later, an undo.
constexpr const char* sortingSteps = R"(
press resume Return
hear un.bin
quiet
press keep Right
hear deux.bin
quiet
press later Down
hear trois.bin
quiet
press undo ctrl+z
hear deux.bin
quiet
)";

TEST(OrcaHearsTheDeck, EachNewCardAfterADecisionAndAnUndo)
{
    if (const auto why = OrcaSession::missing()) {
        GTEST_SKIP() << *why;
    }
    OrcaSession session;
    for (const auto& [name, size] : {std::pair{"un.bin", 4000},
                                     {"deux.bin", 3000},
                                     {"trois.bin", 2000},
                                     {"quatre.bin", 1000}}) {
        std::ofstream(fs::path(session.source()) / name, std::ios::binary)
            << std::string(size, 'x');
    }
    try {
        session.write(resumable(session.source()));
    } catch (const std::exception& refused) {
        GTEST_SKIP() << "the scratch folder cannot be a source: " << refused.what();
    }
    const test::Speech speech = session.run(sortingSteps, "orca-deck.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("resume", "un.bin")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("keep", "deux.bin")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("later", "trois.bin")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("undo", "deux.bin")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
