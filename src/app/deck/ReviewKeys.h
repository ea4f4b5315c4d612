#pragma once

#include "app/deck/ReviewRules.h"

#include <QObject>
#include <functional>

namespace tollenvane {

// Listens to every key press of the application while it lives, ahead of the widgets, and takes
// the review screen's keys when nothing else should have them: an open menu, popup, dialog or
// text field keeps its keys.
class ReviewKeys final : public QObject {
    Q_OBJECT

public:
    // `screenState` fills in what the screen and the model know; `act` receives each key taken.
    ReviewKeys(std::function<ReviewKeyInputs()> screenState,
               std::function<void(const ReviewKeyOutcome&)> act, QObject* parent = nullptr);
    ~ReviewKeys() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<ReviewKeyInputs()> screenState_;
    std::function<void(const ReviewKeyOutcome&)> act_;
};

} // namespace tollenvane
