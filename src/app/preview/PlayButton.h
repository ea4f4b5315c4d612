#pragma once

#include <QAbstractButton>

namespace tollenvane {

// A round dark button with a white play symbol, laid over a video's picture.
class PlayButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int side = 72;

    explicit PlayButton(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {side, side}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
