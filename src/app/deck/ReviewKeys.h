#pragma once

#include "app/deck/ReviewRules.h"

#include <QObject>
#include <functional>

class QWidget;

namespace tollenvane {

// Listens to every key press of the application while it lives, ahead of the widgets, and takes
// the review screen's keys when nothing else should have them: an open menu, popup or dialog
// keeps its keys, and so does any control other than the deck that holds the keyboard focus.
class ReviewKeys final : public QObject {
    Q_OBJECT

public:
    // `deck` is the widget that holds the focus while the keys decide; `screenState` fills in
    // what the screen and the model know; `act` receives each key taken.
    ReviewKeys(const QWidget& deck, std::function<ReviewKeyInputs()> screenState,
               std::function<void(const ReviewKeyOutcome&)> act, QObject* parent = nullptr);
    ~ReviewKeys() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QWidget& deck_;
    std::function<ReviewKeyInputs()> screenState_;
    std::function<void(const ReviewKeyOutcome&)> act_;
};

} // namespace tollenvane
