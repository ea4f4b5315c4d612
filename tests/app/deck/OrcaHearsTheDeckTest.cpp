// The deck as a blind person hears it, through the screen reader itself.
#include "core/access/FolderAccess.h"
#include "core/persistence/SavedState.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// A largest-first session over the home's sorted folder, waiting to be resumed, with a folder to
// move files to and no question before the Trash; why not, when a folder cannot be granted.
std::optional<std::string> writeResumable(const OrcaSession& session,
                                          const std::string& destination,
                                          std::optional<AppLanguage> language = {})
{
    fs::create_directories(destination);
    return session.writeWithSource([&](SavedState& state) {
        state.preferences.confirmTrash = false;
        state.preferences.language = language.value_or(state.preferences.language);
        state.destinations.push_back(FolderAccess::grant(destination, false));
        state.pendingSession = test::waitingSession();
    });
}

// Resumed from the dashboard, where Return resumes; then each way a card goes or comes back, two
// copies of one name one after the other, and the last card, which ends the session.
constexpr const char* sortingSteps = R"(
hear "Resume sorting"
press resume Return
hear un.bin
press keep Right
hear deux.bin
press later Down
hear trois.bin
press trash Left
hear copie.bin
hear "$SOURCE/a"
press undo ctrl+z
hear trois.bin
press again Left
hear copie.bin
press copy Right
hear "$SOURCE/b"
press sheet Up
hear Rangement
press move Return
hear quatre.bin
press tabs Tab Tab Tab Tab Tab Tab
hear Keep
press button space
hear cinq.bin
press last Right
hear Finish
hear "Well done"
press toUndo shift+Tab
hear "Undo Last Decision"
press toFinish Tab
hear "Finish push button"
)";

TEST(OrcaHearsTheDeck, EachNewCardAfterEveryDecisionAndUndoWithEachKey)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const fs::path source(session.source());
    session.putFiles({{"un.bin", std::string(6000, 'x')},
                      {"deux.bin", std::string(5000, 'x')},
                      {"trois.bin", std::string(4000, 'x')},
                      {"a/copie.bin", std::string(3000, 'x')},
                      {"b/copie.bin", std::string(2900, 'x')},
                      {"quatre.bin", std::string(1000, 'x')},
                      {"cinq.bin", std::string(500, 'x')}});
    if (const auto refused = writeResumable(session, source.parent_path() / "Rangement")) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(sortingSteps, "orca-deck.png");
    EXPECT_EQ(session.exitCode(), 0);
    const auto heard = [&speech](const char* mark, const QString& text) {
        EXPECT_TRUE(speech.heardAfter(mark, text)) << mark << ": " << text.toStdString() << '\n'
                                                   << speech.transcript();
    };
    heard("resume", "un.bin");
    heard("keep", "deux.bin");
    heard("later", "trois.bin");
    heard("trash", "copie.bin");
    heard("trash", QString::fromStdString((source / "a").string()));
    heard("undo", "trois.bin");
    heard("again", "copie.bin");
    // The second copy is told from the first by its folder.
    heard("copy", QString::fromStdString((source / "b").string()));
    heard("sheet", "Rangement");
    heard("move", "quatre.bin");
    heard("button", "cinq.bin");
    // Straight to the summary's way out: no card is heard on the way, named or not.
    heard("last", "Finish");
    // The summary is told after the way out, whole.
    heard("last", "Well done.");
    heard("last", "The space will be freed once the Trash is emptied in the file manager.");
    // Tab goes through the summary's buttons as they are drawn, either way.
    heard("toUndo", "Undo Last Decision push button");
    heard("toFinish", "Finish push button");
    for (const QString& said : speech.after("last")) {
        EXPECT_FALSE(said.contains("panel")) << speech.transcript();
    }
    // Every key reached the screen reader, the menu's undo too.
    for (const auto& [mark, key] : {std::pair{"keep", "Right"},
                                    {"later", "Down"},
                                    {"trash", "Left"},
                                    {"undo", "z"},
                                    {"sheet", "Up"},
                                    {"last", "Right"}}) {
        EXPECT_TRUE(speech.keysAfter(mark).contains(key)) << mark << '\n' << speech.transcript();
    }
}

// The move sheet opened from the card, and a sub-folder created there with the keys alone.
constexpr const char* newDestinationSteps = R"(
hear "Resume sorting"
press resume Return
hear un.bin
press sheet Up
hear Rangement
reach toField "Create a subfolder text" Tab max 20
enter name Photos
press toParent Tab
hear "Parent folder"
press parent Down
hear Rangement
press toCreate Tab
hear "Create push button"
press create space
hear "Destination added"
)";

TEST(OrcaHearsTheDeck, ASubfolderCreatedFromTheMoveSheet)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const fs::path destination = fs::path(session.source()).parent_path() / "Rangement";
    session.putFiles({{"un.bin", "x"}});
    if (const auto refused = writeResumable(session, destination)) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(newDestinationSteps, "orca-new-destination.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("create", "Destination added")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("create", "Photos")) << speech.transcript();
    EXPECT_TRUE(fs::is_directory(destination / "Photos"));
}

// In German, the summary's way out has a word of its own, not the menu's Quit.
constexpr const char* germanSteps = R"(
hear "Sortieren fortsetzen"
press resume Return
hear un.bin
press last Right
hear "Abschließen"
hear "Gut gemacht"
)";

TEST(OrcaHearsTheDeck, TheSummarysWayOutInGermanIsNotTheMenusQuit)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.putFiles({{"un.bin", std::string(6000, 'x')}});
    if (const auto refused = writeResumable(
            session, fs::path(session.source()).parent_path().string(), AppLanguage::de)) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(germanSteps, "orca-deck-de.png", "de");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("last", "Abschließen push button")) << speech.transcript();
    EXPECT_FALSE(speech.heardAfter("last", "Beenden")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
