#include "model/AppModel.h"
#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tollenvane {
namespace {

using test::SortingHarness;

namespace fs = std::filesystem;

// What the journal holds for `path` once read back, as the next start would read it.
std::optional<ReviewStamp> remembered(const SortingHarness& harness, const std::string& path)
{
    const ReviewStamps stamps = ReviewJournal(harness.journalPath()).load();
    const auto found = stamps.find(path);
    return found == stamps.end() ? std::nullopt : std::optional(found->second);
}

TEST(AppModelUndo, UndoingATrashBringsEverythingBack)
{
    SortingHarness harness;
    const std::string file = harness.startSortingTwo();
    AppModel& model = *harness.model;
    const FileInsights before = model.insights();
    fs::create_directories(test::trashFiles());
    const std::vector<std::string> trashed = test::entries(test::trashFiles());
    harness.decide(Decision::trash);
    ASSERT_FALSE(fs::exists(file));
    ASSERT_EQ(model.state().history.size(), 1U);

    model.undo();
    harness.settle();

    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(test::entries(test::trashFiles()), trashed);
    ASSERT_FALSE(harness.cardPaths().empty());
    EXPECT_EQ(harness.cardPaths().front(), file);
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.insights(), before);
    EXPECT_EQ(model.indexedCount(), 2);
    EXPECT_EQ(model.summary().total(), 0);
    EXPECT_EQ(model.summary().trashBytes, 0);
    EXPECT_TRUE(model.state().history.empty()); // a session of no decision has no entry
    EXPECT_EQ(model.undoCount(), 0);
    EXPECT_EQ(remembered(harness, file), std::nullopt);
    EXPECT_EQ(harness.sounds->log->back(), "play undo");
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_FALSE(model.busy());
}

TEST(AppModelUndo, UndoingAMoveTakesTheMovedFileOutOfTheIndexAndTheJournal)
{
    SortingHarness harness;
    const std::string file = harness.file("a.png", 500);
    harness.folder.makeFolder("home/Pictures/Kept");
    AppModel& model = harness.loadScanned();
    const std::string inside = harness.addDestination(harness.source + "/Kept");
    harness.startSortingAll();
    harness.decide(Decision::move, inside);
    const std::string arrived = inside + "/a.png";
    ASSERT_TRUE(fs::exists(arrived));
    ASSERT_TRUE(remembered(harness, arrived));
    // The last card was decided: the session ended, and the undo from the summary reopens it.
    ASSERT_EQ(model.page(), Page::summary);

    model.undo();
    harness.settle();

    EXPECT_TRUE(fs::exists(file));
    EXPECT_FALSE(fs::exists(arrived));
    EXPECT_EQ(remembered(harness, arrived), std::nullopt);
    EXPECT_EQ(remembered(harness, file), std::nullopt);
    EXPECT_EQ(model.indexedCount(), 1);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 500);
    EXPECT_EQ(harness.cardPaths(), std::vector{file});
    EXPECT_EQ(model.summary().moved, 0);
    EXPECT_TRUE(model.sessionActive());
    EXPECT_EQ(model.page(), Page::swipe);
    ASSERT_TRUE(model.state().pendingSession);
}

TEST(AppModelUndo, AfterARestartTheCheckpointStillUndoes)
{
    SortingHarness harness;
    const std::string file = harness.file("a.png", 500);
    harness.file("b.png", 400);
    harness.file("c.png", 300);
    harness.loadScanned();
    harness.startSortingAll();
    harness.decide(Decision::trash);
    harness.decide(Decision::keep);

    AppModel& model = harness.restart();
    ASSERT_TRUE(model.canResume());
    ASSERT_TRUE(model.resumeReady());
    model.resumeSession();
    harness.settle();
    ASSERT_TRUE(model.sessionActive());
    EXPECT_EQ(model.undoCount(), 2);
    EXPECT_EQ(model.queueCount(), 1); // the decided files stay out
    EXPECT_EQ(model.summary().total(), 2);

    model.undo(); // the keep
    harness.settle();
    model.undo(); // the trash
    harness.settle();

    EXPECT_TRUE(fs::exists(file));
    ASSERT_FALSE(harness.cardPaths().empty());
    EXPECT_EQ(harness.cardPaths().front(), file);
    EXPECT_EQ(model.queueCount(), 3);
    EXPECT_EQ(model.summary().total(), 0);
    EXPECT_EQ(model.indexedCount(), 3);
    EXPECT_EQ(remembered(harness, file), std::nullopt);
}

TEST(AppModelUndo, NothingIsUndoneWhenRefusedNorDuringTheTutorialTheMoveSheetOrALaterSession)
{
    SortingHarness harness;
    const std::string file = harness.startSortingTwo();
    AppModel& model = *harness.model;
    harness.decide(Decision::trash);

    model.setShowMove(true);
    model.undo();
    model.setShowMove(false);
    model.setShowTutorial(true);
    model.undo();
    harness.settle();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(model.undoCount(), 1);
    model.setShowTutorial(false);

    harness.file("a.png", 10); // its place is taken
    const std::vector<std::string> cards = harness.cardPaths();
    const SessionSummary summary = model.summary();
    const FileInsights insights = model.insights();
    model.undo();
    harness.settle();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Annulation impossible");
    EXPECT_EQ(fs::file_size(file), 10U);
    EXPECT_TRUE(fs::exists(test::trashFiles() + "/a.png"));
    EXPECT_EQ(harness.cardPaths(), cards);
    EXPECT_EQ(model.summary(), summary);
    EXPECT_EQ(model.insights(), insights);
    EXPECT_EQ(model.undoCount(), 1);
    ASSERT_TRUE(remembered(harness, file));
    EXPECT_EQ(remembered(harness, file)->decision, Decision::trash);
    EXPECT_FALSE(model.busy());

    // A new session with no decision of its own has nothing to undo.
    model.dismissAlert();
    model.startSession();
    harness.settle();
    EXPECT_EQ(model.undoCount(), 0);
    model.undo();
    harness.settle();
    EXPECT_FALSE(model.alert());
    EXPECT_TRUE(fs::exists(test::trashFiles() + "/a.png"));
}

TEST(AppModelUndo, NoUndoStartsWhileADecisionOrAnUndoIsUnderWay)
{
    SortingHarness harness;
    const std::string first = harness.startSortingTwo();
    AppModel& model = *harness.model;
    harness.decide(Decision::trash);

    model.act(Decision::keep, std::nullopt, false);
    model.undo();
    harness.settle();
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(model.undoCount(), 2);

    model.undo();
    model.undo();
    harness.settle();
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(model.undoCount(), 1);
    EXPECT_EQ(model.queueCount(), 1);
    EXPECT_FALSE(model.alert());
}

} // namespace
} // namespace tollenvane
