#pragma once

#include <QWidget>

namespace tollenvane {

// The thin rounded edge drawn over a card's contents, so pictures reaching its corners stay
// inside it. Lets every click through.
class CardOutline final : public QWidget {
    Q_OBJECT

public:
    CardOutline(qreal radius, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal radius_;
};

} // namespace tollenvane
