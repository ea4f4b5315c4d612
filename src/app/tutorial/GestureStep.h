#pragma once

#include "core/records/Decision.h"

#include <QWidget>

namespace tollenvane {

class AppModel;
class DemoCard;
class PlainButton;
class SpokenNotice;
class TextBlock;

// The second step: a card that shows the four gestures and the four buttons that do the same.
// Nothing here reaches a file: a demonstration plays the decision's sound and moves the card.
class GestureStep final : public QWidget {
    Q_OBJECT

public:
    explicit GestureStep(AppModel& model, QWidget* parent = nullptr);

    bool demonstrated() const { return demonstrated_; }
    // Plays one demonstration and leaves the card at its nudge.
    void demonstrate(Decision decision);

private:
    void cardReleased(QPointF translation);
    void resetDemonstration();
    void showMessage(const QString& message, bool demonstrated);

    AppModel& model_;
    DemoCard* card_;
    TextBlock* message_;
    PlainButton* reset_;
    SpokenNotice* notice_;
    bool demonstrated_ = false;
};

} // namespace tollenvane
