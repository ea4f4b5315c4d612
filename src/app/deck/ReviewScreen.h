#pragma once

#include "app/deck/ReviewRules.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/QueuedRefresh.h"
#include "app/preview/ThumbnailTicket.h"

#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMessageBox;

namespace tollenvane {

class AppModel;
class DecisionButton;
class DeckView;
class ElidedLabel;
class FlightStage;
class FileRevealer;
class MoveSheet;
class PlainButton;
class QuickLookSheet;
class ReviewKeys;
class Spinner;
class SwipeMotionCard;

// The page on which a session's files are decided one by one: the deck with its current card,
// four decision buttons, the arrow keys and the counters. Every decision is the model's; the
// screen sequences the card's flight around it, so that a decision applies to the card that was
// on top when the person acted, and to no other.
class ReviewScreen final : public QWidget {
    Q_OBJECT

public:
    ReviewScreen(AppModel& model, FileRevealer& revealer, QWidget* parent = nullptr);
    // A card of this screen still flying is decided all the same.
    ~ReviewScreen() override;

    // The single entry of a decision from a drag, a button or a key; true when a card flies.
    bool perform(Decision decision);
    bool inFlight() const { return flight_.inFlight(); }
    DeckView& deck() const { return *deck_; }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* header();
    QWidget* decisionRow();
    QWidget* hints();
    QWidget* footer();
    void wireCard(SwipeMotionCard& card, const std::string& path);

    bool commit(Decision decision);
    void finishFlight(const std::string& path);
    void busyChanged();
    void returnToIdle();
    void pause();

    // What is on screen follows the model: at once for the deck, queued for the rest.
    void syncDeck();
    void refresh();
    void syncSheets();
    void openConfirmation();
    void confirmationClosed(bool confirmed);
    void prefetch();
    void prefetchNext(std::uint64_t generation);

    // Where the focus kept by a control that went belongs now; none while it keeps it.
    QWidget* focusHome() const;
    ReviewKeyInputs keyInputs() const;
    KeyFocus keyFocus(const QWidget* focus) const;
    void key(const ReviewKeyOutcome& outcome);
    std::optional<std::string> currentPath() const;
    std::optional<std::string> frontPath() const;

    AppModel& model_;
    FileRevealer& revealer_;
    Decision direction_ = Decision::keep;
    DeckFlight flight_;
    std::optional<QUuid> flightRequest_;
    bool lastBusy_;

    DeckView* deck_ = nullptr;
    QPointer<FlightStage> stage_;
    PlainButton* pause_ = nullptr;
    PlainButton* undo_ = nullptr;
    PlainButton* finish_ = nullptr;
    ElidedLabel* sorted_ = nullptr;
    ElidedLabel* remaining_ = nullptr;
    ElidedLabel* trashBytes_ = nullptr;
    Spinner* spinner_ = nullptr;
    std::vector<DecisionButton*> decisions_;

    QPointer<QMessageBox> confirmation_;
    std::optional<std::string> confirmedPath_;
    QPointer<MoveSheet> moveSheet_;
    QPointer<QuickLookSheet> previewSheet_;

    std::optional<std::string> prefetchKey_;
    std::vector<FileRecord> prefetchQueue_;
    std::uint64_t prefetchGeneration_ = 0;
    ThumbnailTicket prefetchTicket_;

    QueuedRefresh refresh_;
    FocusHandOff handOff_;
    std::unique_ptr<ReviewKeys> keys_;
};

} // namespace tollenvane
