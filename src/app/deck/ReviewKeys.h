#pragma once

#include "app/deck/ReviewRules.h"

#include <QObject>
#include <functional>

namespace tollenvane {

// Listens to every key press of the application while it lives, ahead of the widgets, and takes
// the review screen's keys when nothing else should have them: an open menu, popup or dialog
// keeps its keys, and so does a control that has its own use for them. A key is taken only once
// it reaches a widget: the window's first delivery goes to the screen reader, which gives it back
// once it has heard it. A shortcut of the window the screen takes is held back as a key, for the
// same reason.
class ReviewKeys final : public QObject {
    Q_OBJECT

public:
    // `screenState` fills in what the screen and the model know, where the focus is among them;
    // `act` receives each key taken.
    ReviewKeys(std::function<ReviewKeyInputs()> screenState,
               std::function<void(const ReviewKeyOutcome&)> act, QObject* parent = nullptr);
    ~ReviewKeys() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<ReviewKeyInputs()> screenState_;
    std::function<void(const ReviewKeyOutcome&)> act_;
};

} // namespace tollenvane
