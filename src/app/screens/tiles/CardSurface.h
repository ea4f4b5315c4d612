#pragma once

#include "app/design/Theme.h"

#include <QWidget>
#include <optional>

namespace tollenvane {

// A colour token with the opacity it is painted at.
struct TintedColor {
    ThemeColor token;
    qreal alpha = 1.0;
};

// How a card's rounded surface is painted.
struct CardLook {
    TintedColor fill;
    // When given, the fill runs from `fill` at the middle of the leading edge to this colour at
    // the bottom trailing corner.
    std::optional<TintedColor> gradientEnd;
    std::optional<TintedColor> stroke;
    qreal cornerRadius = 16;
};

// A rounded surface behind child widgets; callers lay their content out on it.
class CardSurface : public QWidget {
    Q_OBJECT

public:
    explicit CardSurface(CardLook look, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CardLook look_;
};

} // namespace tollenvane
