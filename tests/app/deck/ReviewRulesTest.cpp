#include "app/deck/ReviewRules.h"

#include "support/RecordSample.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

FileRecord record(const std::string& path)
{
    test::RecordSample sample;
    sample.path = path;
    return sample.record();
}

std::vector<std::string> paths(const std::vector<FileRecord>& records)
{
    std::vector<std::string> found;
    for (const FileRecord& file : records) {
        found.emplace_back(file.path());
    }
    return found;
}

TEST(ReviewRules, TheStackDrawsTwoCardsAtRestAndTheFlyingOneOverTheNext)
{
    const std::vector queue{record("/a"), record("/b"), record("/c")};
    EXPECT_EQ(paths(deckStack(queue, {})), (std::vector<std::string>{"/b", "/a"}));
    EXPECT_EQ(paths(deckStack(std::span(queue).first(1), {})), std::vector<std::string>{"/a"});
    EXPECT_TRUE(deckStack({}, {}).empty());

    const DeckFlight flying{.actingFileID = "/a", .departing = record("/a")};
    EXPECT_EQ(paths(deckStack(queue, flying)), (std::vector<std::string>{"/b", "/a"}));
    // Settling: the decided card is gone from the deck, whether or not the model took it yet.
    const DeckFlight settling{.actingFileID = "/a", .departing = std::nullopt};
    EXPECT_EQ(paths(deckStack(queue, settling)), std::vector<std::string>{"/b"});
    EXPECT_EQ(paths(deckStack(std::span(queue).subspan(1), settling)),
              std::vector<std::string>{"/b"});

    const CardPlacement back = cardPlacement("/b", "/a", {}, false);
    EXPECT_FALSE(back.active);
    EXPECT_DOUBLE_EQ(back.scale, 0.97);
    EXPECT_DOUBLE_EQ(back.drop, 8.0);
    EXPECT_TRUE(cardPlacement("/a", "/a", {}, false).active);
    EXPECT_FALSE(cardPlacement("/a", "/a", {}, true).active);
    const CardPlacement next = cardPlacement("/b", "/a", flying, false);
    EXPECT_DOUBLE_EQ(next.scale, 1.0);
    EXPECT_FALSE(next.flies);
    EXPECT_TRUE(cardPlacement("/a", "/a", flying, false).flies);
    // Only the current card at rest is read out, busy or not; none while a card flies.
    EXPECT_FALSE(back.exposed);
    EXPECT_TRUE(cardPlacement("/a", "/a", {}, true).exposed);
    EXPECT_FALSE(next.exposed);
    EXPECT_FALSE(cardPlacement("/a", std::nullopt, {}, false).exposed);

    EXPECT_EQ(cardFrame({1000, 600}), QSize(720, 588));
    EXPECT_EQ(cardFrame({500, 400}), QSize(460, 388));
    EXPECT_EQ(cardFrame({20, 5}), QSize(0, 0));
}

TEST(ReviewRules, ControlsAreBlockedInFlightAndWhileBusy)
{
    const ReviewControls idle = reviewControls(false, false, 2, true);
    EXPECT_TRUE(idle.pause && idle.undo && idle.decisions && idle.finish);
    const ReviewControls flying = reviewControls(true, false, 2, true);
    EXPECT_FALSE(flying.pause || flying.undo || flying.decisions || flying.finish);
    const ReviewControls busy = reviewControls(false, true, 2, true);
    EXPECT_TRUE(busy.pause);
    EXPECT_FALSE(busy.undo || busy.decisions || busy.finish);
    EXPECT_FALSE(reviewControls(false, false, 0, true).undo);
    EXPECT_FALSE(reviewControls(false, false, 2, false).decisions);
}

TEST(ReviewRules, KeysAreTakenOnlyWhenNothingElseShouldHaveThem)
{
    const ReviewKeyInputs free{.onReviewPage = true, .key = Qt::Key_Left};
    const ReviewKeyOutcome left = reviewKeyOutcome(free);
    EXPECT_TRUE(left.consumed());
    EXPECT_EQ(left.decision, Decision::trash);

    for (const auto& [key, decision] : {std::pair{Qt::Key_Right, Decision::keep},
                                        {Qt::Key_Down, Decision::later},
                                        {Qt::Key_Up, Decision::move}}) {
        ReviewKeyInputs in = free;
        in.key = key;
        EXPECT_EQ(reviewKeyOutcome(in).decision, decision);
    }
    ReviewKeyInputs space = free;
    space.key = Qt::Key_Space;
    EXPECT_TRUE(reviewKeyOutcome(space).consumed());
    EXPECT_FALSE(reviewKeyOutcome(space).decision);
    for (const int other : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Z)}) {
        ReviewKeyInputs in = free;
        in.key = other;
        EXPECT_FALSE(reviewKeyOutcome(in).consumed()) << other;
    }
    ReviewKeyInputs shifted = free;
    shifted.modifiers = Qt::ShiftModifier | Qt::KeypadModifier;
    EXPECT_TRUE(reviewKeyOutcome(shifted).consumed());

    const std::vector<void (*)(ReviewKeyInputs&)> blockers{
        [](ReviewKeyInputs& in) { in.onReviewPage = false; },
        [](ReviewKeyInputs& in) { in.tutorialShown = true; },
        [](ReviewKeyInputs& in) { in.inFlight = true; },
        [](ReviewKeyInputs& in) { in.busy = true; },
        [](ReviewKeyInputs& in) { in.moveShown = true; },
        [](ReviewKeyInputs& in) { in.previewShown = true; },
        [](ReviewKeyInputs& in) { in.confirmationShown = true; },
        [](ReviewKeyInputs& in) { in.alertShown = true; },
        [](ReviewKeyInputs& in) { in.modalWindow = true; },
        [](ReviewKeyInputs& in) { in.popupOpen = true; },
        [](ReviewKeyInputs& in) { in.focus = KeyFocus::control; },
        [](ReviewKeyInputs& in) { in.modifiers = Qt::ControlModifier; },
        [](ReviewKeyInputs& in) { in.modifiers = Qt::AltModifier; },
        [](ReviewKeyInputs& in) { in.modifiers = Qt::MetaModifier; },
        [](ReviewKeyInputs& in) { in.autoRepeat = true; },
    };
    for (std::size_t index = 0; index < blockers.size(); ++index) {
        ReviewKeyInputs in = free;
        blockers[index](in);
        EXPECT_FALSE(reviewKeyOutcome(in).consumed()) << index;
    }

    // Escape hands the keys back to the deck from a focused control, even during a flight; from
    // the deck itself it does nothing, and a sheet over the deck keeps it.
    ReviewKeyInputs escape = free;
    escape.key = Qt::Key_Escape;
    EXPECT_FALSE(reviewKeyOutcome(escape).consumed());
    escape.focus = KeyFocus::control;
    escape.inFlight = true;
    EXPECT_EQ(reviewKeyOutcome(escape).action, ReviewKeyOutcome::Action::focusDeck);
    escape.moveShown = true;
    EXPECT_FALSE(reviewKeyOutcome(escape).consumed());

    // Ctrl+Z undoes from the deck and its deciders, and stays the menu's from a control, under a
    // sheet, or with another modifier: Ctrl+Shift+Z, redo, undoes nothing.
    ReviewKeyInputs undo = free;
    undo.key = Qt::Key_Z;
    undo.modifiers = Qt::ControlModifier;
    undo.focus = KeyFocus::decider;
    EXPECT_EQ(reviewKeyOutcome(undo).action, ReviewKeyOutcome::Action::undo);
    for (const auto& change : std::vector<void (*)(ReviewKeyInputs&)>{
             [](ReviewKeyInputs& in) { in.focus = KeyFocus::control; },
             [](ReviewKeyInputs& in) { in.previewShown = true; },
             [](ReviewKeyInputs& in) { in.modifiers |= Qt::AltModifier; },
             [](ReviewKeyInputs& in) { in.modifiers |= Qt::ShiftModifier; }}) {
        ReviewKeyInputs in = undo;
        change(in);
        EXPECT_FALSE(reviewKeyOutcome(in).consumed());
    }
}

// On a decision button or a control of the card the arrows still decide, and Space presses the
// button; a held arrow there is swallowed rather than walking the focus away.
TEST(ReviewRules, ArrowsDecideFromTheButtonsAndTheCardsControlsWhereSpacePresses)
{
    const ReviewKeyInputs onButton{
        .onReviewPage = true, .focus = KeyFocus::decider, .key = Qt::Key_Right};
    EXPECT_EQ(reviewKeyOutcome(onButton).decision, Decision::keep);
    ReviewKeyInputs in = onButton;
    for (const int passed : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Tab)}) {
        in.key = passed;
        EXPECT_FALSE(reviewKeyOutcome(in).consumed()) << passed;
    }
    in.key = Qt::Key_Escape;
    EXPECT_EQ(reviewKeyOutcome(in).action, ReviewKeyOutcome::Action::focusDeck);
    for (const auto& change : std::vector<void (*)(ReviewKeyInputs&)>{
             [](ReviewKeyInputs& held) { held.autoRepeat = true; },
             [](ReviewKeyInputs& held) { held.inFlight = true; },
             [](ReviewKeyInputs& held) { held.busy = true; }}) {
        in = onButton;
        change(in);
        EXPECT_EQ(reviewKeyOutcome(in).action, ReviewKeyOutcome::Action::absorb);
    }
    // A control with a use for the arrows, a text field or a slider, keeps them.
    in = onButton;
    in.focus = KeyFocus::control;
    EXPECT_FALSE(reviewKeyOutcome(in).consumed());
}

} // namespace
} // namespace tollenvane
