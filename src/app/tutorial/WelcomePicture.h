#pragma once

#include <QWidget>

namespace tollenvane {

// The welcome step's picture: two tilted cards, the front one carrying an arrow. Decorative.
class WelcomePicture final : public QWidget {
    Q_OBJECT

public:
    static constexpr int pictureHeight = 220;
    // Shorter, it is drawn smaller; shorter than this, it is not worth showing.
    static constexpr int smallestHeight = 110;

    explicit WelcomePicture(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
