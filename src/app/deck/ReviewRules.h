#pragma once

#include "app/design/Theme.h"
#include "core/records/Decision.h"
#include "core/records/FileRecord.h"

#include <QSize>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tollenvane {

// The card in flight: its path from the start of the flight until the model has carried the
// decision out, and its record while the card is still drawn flying.
struct DeckFlight {
    std::optional<std::string> actingFileID;
    std::optional<FileRecord> departing;

    bool inFlight() const { return actingFileID.has_value(); }
};

// The records drawn as cards, back to front: the first two remaining ones at rest; in flight
// the next one that is not flying, then the flying one over it.
std::vector<FileRecord> deckStack(std::span<const FileRecord> remaining, const DeckFlight& flight);

// How one card of the stack rests: the current one in front and whole, the one behind it a
// little smaller and lower; in flight, every card whole and in place.
struct CardPlacement {
    bool active = false;
    bool flies = false;
    // Shown to assistive technology: the current card, while none flies.
    bool exposed = false;
    qreal scale = 1.0;
    qreal drop = 0.0;
};
CardPlacement cardPlacement(std::string_view path, std::optional<std::string_view> current,
                            const DeckFlight& flight, bool busy);

// The frame of a card inside a deck area of `deck`.
QSize cardFrame(QSize deck);

// What the screen's controls allow.
struct ReviewControls {
    bool pause = true;
    bool undo = false;
    bool decisions = false;
    bool finish = false;
};
ReviewControls reviewControls(bool inFlight, bool busy, std::int64_t undoCount, bool hasCard);

// Where the keyboard focus is, as the review keys see it.
enum class KeyFocus {
    // The deck, or nothing that takes keys.
    deck,
    // A decision button or a control of the current card: none has a use for the arrows.
    decider,
    // Any other control, or one that moves with the arrows (a text field, a slider, a list):
    // its keys are its own.
    control,
};

// Everything a key press is weighed against on the review screen.
struct ReviewKeyInputs {
    bool onReviewPage = false;
    bool tutorialShown = false;
    bool inFlight = false;
    bool busy = false;
    bool moveShown = false;
    bool previewShown = false;
    bool confirmationShown = false;
    bool alertShown = false;
    bool modalWindow = false;
    bool popupOpen = false;
    KeyFocus focus = KeyFocus::deck;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    bool autoRepeat = false;
    int key = 0;
};

// What a key does: passed on untouched, or taken to open the preview, to decide, to undo the last
// decision, to give the keys back to the deck from the control that holds the focus, or to do
// nothing at all.
struct ReviewKeyOutcome {
    enum class Action { none, preview, decide, undo, focusDeck, absorb };
    Action action = Action::none;
    // Set for `decide` only.
    std::optional<Decision> decision;

    bool consumed() const { return action != Action::none; }
};
ReviewKeyOutcome reviewKeyOutcome(const ReviewKeyInputs& inputs);

// The colour of a decision's button.
QColor decisionButtonColor(Decision decision, ColorScheme scheme);
// The catalogue key of a decision button's title, and its arrow.
std::string_view decisionTitleKey(Decision decision);
QString decisionArrow(Decision decision);
std::string_view decisionSymbol(Decision decision);

} // namespace tollenvane
