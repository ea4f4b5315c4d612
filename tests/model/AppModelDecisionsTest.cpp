#include "model/AppModel.h"
#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
using test::SortingHarness;

namespace fs = std::filesystem;

// The last journal line of `path`: its decision, or nothing for a withdrawal or no line.
std::optional<Decision> journalled(const SortingHarness& harness, const std::string& path)
{
    std::optional<Decision> last;
    bool found = false;
    for (const ReviewJournal::Entry& entry : harness.journalEntries()) {
        if (entry.path == path) {
            found = true;
            last = entry.stamp ? std::optional(entry.stamp->decision) : std::nullopt;
        }
    }
    return found ? last : std::nullopt;
}

TEST(AppModelDecisions, EachDecisionReachesTheDiskTheIndexTheJournalAndTheSummary)
{
    SortingHarness harness;
    const std::string kept = harness.file("a.png", 500);
    const std::string later = harness.file("b.png", 400);
    const std::string trashed = harness.file("thrown.png", 300);
    const std::string movedIn = harness.file("d.png", 200);
    const std::string movedOut = harness.file("e.png", 100);
    harness.folder.makeFolder("home/Pictures/Kept");
    AppModel& model = harness.loadScanned();
    const std::string inside = harness.addDestination(harness.source + "/Kept");
    const std::string outside = harness.addDestination(harness.outside);
    harness.startSortingAll();
    ASSERT_EQ(harness.cardPaths(), (std::vector{kept, later, trashed, movedIn, movedOut}));

    harness.decide(Decision::keep);
    harness.decide(Decision::later);
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_TRUE(fs::exists(later));
    EXPECT_EQ(journalled(harness, kept), Decision::keep);
    EXPECT_EQ(journalled(harness, later), Decision::later);
    EXPECT_EQ(model.indexedCount(), 5);
    EXPECT_EQ(model.undoCount(), 2);

    harness.decide(Decision::trash);
    EXPECT_FALSE(fs::exists(trashed));
    EXPECT_TRUE(fs::exists(test::trashFiles() + "/thrown.png"));
    EXPECT_EQ(journalled(harness, trashed), Decision::trash);
    EXPECT_EQ(model.indexedCount(), 4);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 1200);

    // Moved inside the source folder, the file is kept at its new place and indexed there.
    harness.decide(Decision::move, inside);
    const std::string arrived = inside + "/d.png";
    EXPECT_TRUE(fs::exists(arrived));
    EXPECT_EQ(journalled(harness, movedIn), Decision::move);
    EXPECT_EQ(journalled(harness, arrived), Decision::keep);
    EXPECT_EQ(model.indexedCount(), 4);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 1200);
    EXPECT_EQ(model.state().destinations.front().lastKnownPath, inside);

    // Moved out of it, the file leaves the index.
    EXPECT_EQ(model.queueCount(), 1);
    harness.decide(Decision::move, outside);
    EXPECT_TRUE(fs::exists(outside + "/e.png"));
    EXPECT_EQ(journalled(harness, movedOut), Decision::move);
    EXPECT_EQ(journalled(harness, outside + "/e.png"), Decision::keep);
    EXPECT_EQ(model.indexedCount(), 3);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 1100);
    EXPECT_EQ(model.state().destinations.front().lastKnownPath, outside);
    EXPECT_EQ(model.undoCount(), 5);

    // The last card ends the session.
    const SessionSummary& summary = model.summary();
    EXPECT_EQ(std::tuple(summary.kept, summary.deferred, summary.trashed, summary.moved,
                         summary.trashBytes),
              std::tuple(1, 1, 1, 2, 300));
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(model.page(), Page::summary);
    EXPECT_EQ(harness.played("complete"), 1U);
    harness.flush();
    const SavedState saved = harness.stateOnDisk();
    EXPECT_FALSE(saved.pendingSession);
    ASSERT_EQ(saved.history.size(), 1U);
    EXPECT_EQ(saved.history.front(), summary);
}

TEST(AppModelDecisions, ARefusedDecisionChangesNothingAndAnUnavailableCardIsOnlyPutOff)
{
    SortingHarness harness;
    const std::string file = harness.startSortingTwo();
    AppModel& model = *harness.model;
    harness.file("a.png", 501); // changed since the scan

    harness.decide(Decision::trash);

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(harness.cardPaths().front(), file);
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 0);
    EXPECT_EQ(model.summary().total(), 0);
    EXPECT_FALSE(model.busy());
    EXPECT_TRUE(model.sessionActive());

    // Put off without receipt, journal line or cue.
    const std::size_t sounds = harness.sounds->log->size();
    model.skipUnavailable();
    harness.settle();
    EXPECT_EQ(model.summary().deferred, 1);
    EXPECT_EQ(model.queueCount(), 1);
    EXPECT_EQ(model.undoCount(), 0);
    EXPECT_EQ(journalled(harness, file), std::nullopt);
    EXPECT_EQ(model.state().pendingSession->summary.deferred, 1);
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(harness.sounds->log->size(), sounds);
}

TEST(AppModelDecisions, TheStackKeepsTheNewest128AndTheCheckpointTheNewest40)
{
    SortingHarness harness;
    std::vector<std::string> files;
    for (int index = 0; index < 131; ++index) {
        // Largest first: the files are decided in the order they are made.
        files.push_back(harness.file("f" + std::to_string(1000 + index) + ".txt",
                                     static_cast<std::size_t>(1000 - index)));
    }
    AppModel& model = harness.loadScanned();
    harness.startSortingAll();
    harness.decide(Decision::keep); // a first session, to be found again in the history
    model.startSession();
    harness.settle();

    for (int index = 1; index < 129; ++index) {
        harness.decide(index % 2 == 0 ? Decision::keep : Decision::later);
        if (index == 41) {
            ASSERT_TRUE(model.state().pendingSession);
            const SessionCheckpoint& paused = *model.state().pendingSession;
            ASSERT_EQ(paused.receipts.size(), 40U);
            EXPECT_EQ(paused.receipts.front().original.path(), files[2]);
            EXPECT_EQ(paused.receipts.back().original.path(), files[41]);
        }
    }
    EXPECT_EQ(model.undoCount(), 128);
    harness.decide(Decision::keep); // the 129th decision of the session
    EXPECT_EQ(model.undoCount(), 128);
    ASSERT_TRUE(model.sessionActive());

    harness.flush();
    const SavedState saved = harness.stateOnDisk();
    ASSERT_TRUE(saved.pendingSession);
    EXPECT_EQ(saved.pendingSession->receipts.size(), 40U);
    EXPECT_EQ(saved.pendingSession->receipts.back().original.path(), files[129]);
    ASSERT_EQ(saved.history.size(), 2U);
    EXPECT_EQ(saved.history.front().id, model.summary().id);
    EXPECT_EQ(saved.history.front().total(), 129);
    EXPECT_EQ(saved.history.back().total(), 1);

    // Back to the oldest decision still on the stack, and no further.
    for (int undone = 0; undone < 128; ++undone) {
        model.undo();
        harness.settle();
    }
    EXPECT_EQ(model.undoCount(), 0);
    ASSERT_FALSE(harness.cardPaths().empty());
    EXPECT_EQ(harness.cardPaths().front(), files[2]);
    EXPECT_EQ(model.summary().total(), 1);
}

TEST(AppModelDecisions, AJournalThatCannotBeWrittenIsSaidOnceAndTheDecisionCompletes)
{
    SortingHarness harness;
    const std::string first = harness.startSortingTwo();
    AppModel& model = *harness.model;
    fs::remove(harness.journalPath());
    fs::create_directories(harness.journalPath()); // appending to it fails

    harness.decide(Decision::keep);

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Décision non enregistrée");
    EXPECT_EQ(model.summary().kept, 1);
    EXPECT_EQ(model.queueCount(), 1);
    EXPECT_EQ(model.undoCount(), 1);

    // Journaling stays off: no second alert. The decision is still remembered in memory.
    model.dismissAlert();
    harness.decide(Decision::keep);
    EXPECT_FALSE(model.alert());
    model.startSession();
    harness.settle();
    EXPECT_TRUE(harness.cardPaths().empty());
    EXPECT_TRUE(fs::exists(first));
}

TEST(AppModelDecisions, TheDeckAsksForMovesAndConfirmedTrashAndDropsAStaleSwipe)
{
    SortingHarness harness;
    const std::string first = harness.file("a.png", 500);
    const std::string second = harness.file("b.png", 400);
    AppModel& model = harness.loadScanned();
    Preferences preferences = model.state().preferences;
    preferences.confirmTrash = true;
    model.setPreferences(preferences);
    harness.startSortingAll();

    // The tutorial's demonstration covers the deck: a request is not for the real card.
    model.setShowTutorial(true);
    model.request(Decision::keep);
    harness.settle();
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 0);
    model.setShowTutorial(false);
    // Nor while the preview covers it.
    model.setShowPreview(true);
    model.request(Decision::keep);
    harness.settle();
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 0);
    model.setShowPreview(false);

    model.request(Decision::trash);
    EXPECT_TRUE(model.confirmTrash());
    model.setConfirmTrash(false);
    model.request(Decision::move);
    EXPECT_TRUE(model.showMove());
    model.request(Decision::keep); // the sheet is open
    harness.settle();
    EXPECT_EQ(model.queueCount(), 2);
    model.setShowMove(false);
    EXPECT_TRUE(fs::exists(first));

    // A swipe plays no cue itself; the deck plays it through playDemo.
    const std::size_t sounds = harness.sounds->log->size();
    EXPECT_FALSE(model.beginSwipe(Decision::trash, second));
    ASSERT_TRUE(model.beginSwipe(Decision::trash, first));
    EXPECT_FALSE(model.beginSwipe(Decision::keep, first));
    EXPECT_EQ(harness.sounds->log->size(), sounds);
    model.finishPendingSwipe();
    harness.settle();
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(harness.sounds->log->size(), sounds);
    model.playDemo(Decision::later);
    EXPECT_EQ(harness.sounds->log->back(), "play later");

    // A swipe whose card was decided by another path meanwhile is dropped.
    ASSERT_TRUE(model.beginSwipe(Decision::trash, second));
    model.skipUnavailable(); // the card is put off meanwhile
    model.finishPendingSwipe();
    harness.settle();
    EXPECT_FALSE(model.animatingSwipe());
    EXPECT_TRUE(fs::exists(second));
}

} // namespace
} // namespace tollenvane
