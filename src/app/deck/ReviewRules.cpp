#include "app/deck/ReviewRules.h"

#include "app/deck/SwipeRules.h"

#include <algorithm>

namespace tollenvane {
namespace {

constexpr int sideInset = 40;
constexpr int maximumCardWidth = 720;
constexpr int bottomInset = 12;
constexpr qreal backScale = 0.97;
constexpr qreal backDrop = 8.0;
constexpr double fixedColourOpacity = 0.8;

std::optional<Decision> arrowDecision(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return Decision::trash;
    case Qt::Key_Right:
        return Decision::keep;
    case Qt::Key_Down:
        return Decision::later;
    case Qt::Key_Up:
        return Decision::move;
    default:
        return std::nullopt;
    }
}

} // namespace

std::vector<FileRecord> deckStack(std::span<const FileRecord> remaining, const DeckFlight& flight)
{
    std::vector<FileRecord> stack;
    if (!flight.inFlight()) {
        const auto shown = std::min<std::size_t>(remaining.size(), 2);
        stack.assign(remaining.begin(), remaining.begin() + static_cast<std::ptrdiff_t>(shown));
        std::reverse(stack.begin(), stack.end());
        return stack;
    }
    const auto next = std::find_if(remaining.begin(), remaining.end(), [&](const FileRecord& r) {
        return r.path() != *flight.actingFileID;
    });
    if (next != remaining.end()) {
        stack.push_back(*next);
    }
    if (flight.departing) {
        stack.push_back(*flight.departing);
    }
    return stack;
}

CardPlacement cardPlacement(std::string_view path, std::optional<std::string_view> current,
                            const DeckFlight& flight, bool busy)
{
    const bool isCurrent = current && *current == path;
    CardPlacement placement;
    placement.active = !flight.inFlight() && isCurrent && !busy;
    placement.flies = flight.inFlight() && *flight.actingFileID == path;
    placement.exposed = !flight.inFlight() && isCurrent;
    if (!flight.inFlight() && !isCurrent) {
        placement.scale = backScale;
        placement.drop = backDrop;
    }
    return placement;
}

QSize cardFrame(QSize deck)
{
    return {std::clamp(deck.width() - sideInset, 0, maximumCardWidth),
            std::max(deck.height() - bottomInset, 0)};
}

ReviewControls reviewControls(bool inFlight, bool busy, std::int64_t undoCount, bool hasCard)
{
    return {.pause = !inFlight,
            .undo = undoCount > 0 && !busy && !inFlight,
            .decisions = !busy && !inFlight && hasCard,
            .finish = !busy && !inFlight};
}

ReviewKeyOutcome reviewKeyOutcome(const ReviewKeyInputs& in)
{
    using Action = ReviewKeyOutcome::Action;
    const bool covered = !in.onReviewPage || in.tutorialShown || in.moveShown || in.previewShown ||
                         in.confirmationShown || in.alertShown || in.modalWindow || in.popupOpen;
    const Qt::KeyboardModifiers commands =
        in.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // The menu's undo, taken where the deck has the keys, so that it travels as a key the screen
    // reader hears; elsewhere it stays the menu's. With Shift it is another command, redo.
    const bool shifted = in.modifiers.testFlag(Qt::ShiftModifier);
    if (!covered && commands == Qt::ControlModifier && !shifted && in.key == Qt::Key_Z &&
        in.focus != KeyFocus::control) {
        return {.action = Action::undo, .decision = std::nullopt};
    }
    if (covered || commands != Qt::NoModifier) {
        return {};
    }
    if (in.key == Qt::Key_Escape && !in.autoRepeat) {
        return in.focus == KeyFocus::deck
                   ? ReviewKeyOutcome{}
                   : ReviewKeyOutcome{.action = Action::focusDeck, .decision = std::nullopt};
    }
    const std::optional<Decision> arrow = arrowDecision(in.key);
    if (in.focus == KeyFocus::control || (!arrow && in.focus == KeyFocus::decider)) {
        // Space presses a focused button, as everywhere else.
        return {};
    }
    if (in.autoRepeat) {
        // A held arrow decides one card; on a button it would walk the focus away instead.
        return in.focus == KeyFocus::decider && arrow
                   ? ReviewKeyOutcome{.action = Action::absorb, .decision = std::nullopt}
                   : ReviewKeyOutcome{};
    }
    if (in.inFlight || in.busy) {
        return in.focus == KeyFocus::decider
                   ? ReviewKeyOutcome{.action = Action::absorb, .decision = std::nullopt}
                   : ReviewKeyOutcome{};
    }
    if (arrow) {
        return {.action = Action::decide, .decision = arrow};
    }
    return in.key == Qt::Key_Space
               ? ReviewKeyOutcome{.action = Action::preview, .decision = std::nullopt}
               : ReviewKeyOutcome{};
}

QColor decisionButtonColor(Decision decision, ColorScheme scheme)
{
    switch (decision) {
    case Decision::trash:
    case Decision::keep: {
        QColor color = badgeColor(decision, scheme);
        color.setAlphaF(fixedColourOpacity);
        return color;
    }
    case Decision::later:
        return Theme::muted.resolved(scheme);
    case Decision::move:
        return Theme::orange.resolved(scheme);
    }
    return {};
}

std::string_view decisionTitleKey(Decision decision)
{
    switch (decision) {
    case Decision::trash:
        return "Corbeille";
    case Decision::later:
        return "Plus tard";
    case Decision::move:
        return "Ranger";
    case Decision::keep:
        return "Garder";
    }
    return {};
}

QString decisionArrow(Decision decision)
{
    switch (decision) {
    case Decision::trash:
        return QStringLiteral("←");
    case Decision::later:
        return QStringLiteral("↓");
    case Decision::move:
        return QStringLiteral("↑");
    case Decision::keep:
        return QStringLiteral("→");
    }
    return {};
}

std::string_view decisionSymbol(Decision decision)
{
    switch (decision) {
    case Decision::trash:
        return "trash";
    case Decision::later:
        return "clock";
    case Decision::move:
        return "folder";
    case Decision::keep:
        return "checkmark";
    }
    return {};
}

} // namespace tollenvane
