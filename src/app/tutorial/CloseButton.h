#pragma once

#include <QAbstractButton>

namespace tollenvane {

// A cross with room around it and no chrome: the tutorial's way out at any step.
class CloseButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit CloseButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
