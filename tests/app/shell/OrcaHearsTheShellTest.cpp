// The window's choosers and fields as a blind person hears them, through the screen reader.
#include "core/access/FolderAccess.h"
#include "core/base/Json.h"
#include "core/persistence/SavedState.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace tollenvane {
namespace {

using test::OrcaSession;

// The folder typed into the chooser as a person who knows its path does. Then the keys close the
// tutorial, from its first step: the language, then the button that closes it.
constexpr const char* typedFolderSteps = R"(
hear Continue
press chooser ctrl+o
hear "Folders to scan dialog"
choose accept "$SOURCE"
hear "push button"
press language Tab
moved
press close Tab
moved
press closed Return
moved
)";

TEST(OrcaHearsTheFolderChooser, AFolderTypedThereLeavesTheKeyboardOnTheWindow)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    try {
        FolderAccess::grant(session.source(), false);
    } catch (const std::exception& refused) {
        FAIL() << "the scratch folder cannot be a source: " << refused.what();
    }
    session.write(SavedState{});
    const test::Speech speech = session.run(typedFolderSteps, "orca-folder-typed.png");
    EXPECT_EQ(session.exitCode(), 0);
    const SavedState written =
        SavedState::fromJson(json::parse(test::contentOf(session.statePath())));
    ASSERT_EQ(written.sources.size(), 1U);
    EXPECT_EQ(written.sources.front().lastKnownPath, std::optional(session.source()));
    EXPECT_TRUE(written.preferences.onboardingComplete) << "the keys after the chooser were lost";
    EXPECT_TRUE(speech.heardAfter("accept", "push button")) << speech.transcript();
    // What Orca was told: the first focus in the chooser is on a control of the chooser shown.
    const QStringList told = speech.events();
    const auto opened = std::find_if(told.begin(), told.end(), [](const QString& event) {
        return event.startsWith("window:activate for [dialog");
    });
    ASSERT_NE(opened, told.end());
    EXPECT_TRUE(std::none_of(told.begin(), opened, [](const QString& event) {
        return event.startsWith("object:state-changed:focused for [list item");
    }));
}

// From the dashboard, a second folder, %1, chosen with the menu's shortcut: it is told where the
// keyboard goes back to.
constexpr const char* addedFromTheMenuSteps = R"(
press chooser ctrl+o
hear "Folders to scan dialog"
choose accept "%1"
hear "Folder added"
)";

TEST(OrcaHearsTheFolderChooser, AFolderAddedFromTheMenuIsTold)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const auto music = std::filesystem::path(session.source()).parent_path() / "Musique";
    std::filesystem::create_directories(music);
    if (const auto refused = session.writeWithSource()) {
        FAIL() << *refused;
    }
    const test::Speech speech =
        session.run(QString(addedFromTheMenuSteps).arg(QString::fromStdString(music.string())),
                    "orca-folder-added.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_TRUE(speech.heardAfter("accept", "notification Folder added")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("accept", "Musique")) << speech.transcript();
    const SavedState written =
        SavedState::fromJson(json::parse(test::contentOf(session.statePath())));
    EXPECT_EQ(written.sources.size(), 2U);
}

// A session resumed from the dashboard, its card sent to the move sheet, then Tab from the
// sheet's first button to its field for a new sub-folder, never reached before.
constexpr const char* newFolderSteps = R"(
hear "Resume sorting"
press resume Return
hear un.bin
press move Up
hear "Choose Another Folder"
reach stop "Create a subfolder text" Tab max 20
)";

TEST(OrcaHearsATextField, EveryTimeTabReachesIt)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.putFiles({{"un.bin", "x"}});
    if (const auto refused = session.writeWaitingSession()) {
        FAIL() << *refused;
    }
    const test::Speech speech = session.run(newFolderSteps, "orca-text-field.png");
    EXPECT_EQ(session.exitCode(), 0);
    // Each stop says more than the key's name, and one of them is the field.
    bool field = false;
    for (int stop = 1; !speech.after(QString("stop%1").arg(stop)).isEmpty(); ++stop) {
        const QStringList said = speech.after(QString("stop%1").arg(stop));
        EXPECT_TRUE(std::any_of(
            said.begin(), said.end(),
            [](const QString& utterance) { return utterance.trimmed() != QStringLiteral("tab"); }))
            << "stop " << stop << " is silent\n"
            << speech.transcript();
        field = field || speech.heardAfter(QString("stop%1").arg(stop), "Create a subfolder text");
    }
    EXPECT_TRUE(field) << speech.transcript();
}
// From the window's controls to the status bar's count of problems, then its sheet: the problem
// it opens on, Close, and the problem again.
constexpr const char* problemSteps = R"(
reach stop "scan problem push button" Tab max 20
press open Return
hear "Files not scanned dialog"
hear Tri
press close Tab
hear "Close push button"
press again Tab
hear Tri
)";

TEST(OrcaHearsTheScanProblems, EachProblemTabReaches)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    if (const auto refused = session.writeWithSource()) {
        FAIL() << *refused;
    }
    // The sorted folder is gone by the time the window opens and scans.
    std::filesystem::remove_all(session.source());
    const test::Speech speech = session.run(problemSteps, "orca-problems.png");
    EXPECT_EQ(session.exitCode(), 0);
    // The launch scan's end is heard where the keyboard is, with its problem, once.
    const std::string transcript = speech.transcript();
    const std::string finished = "notification Scan finished: 0 files. 1 scan problem.";
    const std::size_t scanned = transcript.find(finished);
    EXPECT_NE(scanned, std::string::npos) << transcript;
    EXPECT_EQ(transcript.find("Scan finished", scanned + finished.size()), std::string::npos)
        << transcript;
    EXPECT_TRUE(speech.heardAfter("open", "Files not scanned dialog")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("open", "Tri")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("close", "Close push button")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("again", "Tri")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
