#pragma once

#include "core/records/FileRecord.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

class AppModel;
class EmptyState;
class FileRevealer;
class SpokenNotice;
class SwipeFileCard;
class SwipeMotionCard;

// The deck area of the review screen: a resting silhouette, the cards drawn over it back to
// front, or a placeholder when there are none. Cards are kept by path, so a card that stays in
// the deck keeps its widget, its drag and its flight. The card exposed to assistive technology
// holds the keyboard focus, without a ring, for the review keys, when the deck has it: each new
// one takes it as it comes, so that a screen reader, which never tells a renamed object, hears
// every new card. While the keyboard is on a control beside the deck, each new card is told as a
// notice instead. With no card the deck holds the focus, heard as the placeholder.
class DeckView final : public QWidget {
    Q_OBJECT

public:
    // `wire` is called once for each card made, with the path of its file.
    DeckView(AppModel& model, FileRevealer& revealer,
             std::function<void(SwipeMotionCard&, const std::string&)> wire,
             QWidget* parent = nullptr);
    // Its cards go after it, each taking the focus with it: the deck hears of it no more.
    ~DeckView() override;

    // Shows these records as cards, back to front, the card of `exposed` alone read out. The
    // focus the deck or a card held passes straight to that card.
    void setStack(const std::vector<FileRecord>& stack, const std::optional<std::string>& exposed);
    // Gives the keyboard to the card read out; while none is, to the card on top, else to the
    // deck.
    void takeKeys();
    // Whether `focus` is the deck or one of its cards, which have no keys of their own.
    bool holdsKeys(const QWidget* focus) const;
    // Tells the card read out, once, if it came since it was last told and the keyboard is on
    // a control of the page beside the deck, where the card taking the focus would not be heard.
    void tellUnheard();
    // The placeholder, shown while there is no card.
    void setEmptyTexts(const QString& title, const QString& message);

    SwipeMotionCard* card(std::string_view path) const;
    // The paths of the cards, back to front.
    std::vector<std::string> paths() const;
    // The frame each card's face is given.
    QSize frame() const;
    // Where the cards lie: all but the margins at the sides and the band at the bottom, which
    // only a card moving aside and the shadows reach.
    QRect area() const;
    // The band, which the screen leaves between the deck and the row below.
    static constexpr int shadowBand = 18;
    static constexpr int sideMargin = 32;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void expose(const std::optional<std::string>& exposed);
    void passFocus();
    void focusChanged(QWidget* now);
    void dropLeaving();
    void followName();

    struct Entry {
        std::string path;
        SwipeMotionCard* card;
        SwipeFileCard* face;
    };

    AppModel& model_;
    FileRevealer& revealer_;
    std::function<void(SwipeMotionCard&, const std::string&)> wire_;
    std::vector<Entry> entries_;
    // A card gone from the stack while it held the focus, hidden: it keeps the focus until the
    // page hands it on, and goes then.
    QPointer<SwipeMotionCard> leaving_;
    // The card read out that is yet to be heard, and what tells it beside the deck.
    QPointer<SwipeMotionCard> unheard_;
    SpokenNotice* notice_;
    EmptyState* empty_ = nullptr;
    QString emptyTitle_;
    QString emptyMessage_;
};

} // namespace tollenvane
