#pragma once

#include "core/records/Decision.h"

#include <QAbstractButton>

namespace tollenvane {

// One decision of the demonstration as a button: its title and symbol in the decision's colour
// on a faint wash of it.
class DemoButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit DemoButton(Decision decision, QWidget* parent = nullptr);

    Decision decision() const { return decision_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int symbolSide() const;

    Decision decision_;
};

} // namespace tollenvane
