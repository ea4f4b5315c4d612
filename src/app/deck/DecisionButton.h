#pragma once

#include "core/records/Decision.h"

#include <QAbstractButton>

namespace tollenvane {

// One of the four decision buttons under the deck: the decision's symbol on a tinted tile, its
// title and its arrow key below.
class DecisionButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit DecisionButton(Decision decision, QWidget* parent = nullptr);

    Decision decision() const { return decision_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Decision decision_;
};

} // namespace tollenvane
