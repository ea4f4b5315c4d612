#include "app/tutorial/CloseButton.h"

#include "app/design/FocusRing.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int padding = 8;
constexpr int fontSize = 13;
constexpr qreal pressedOpacity = 0.5;

int symbolSide()
{
    return Symbol::sideBeside(fontSize);
}

} // namespace

CloseButton::CloseButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
}

QSize CloseButton::sizeHint() const
{
    const int side = symbolSide() + 2 * padding;
    return {side, side};
}

void CloseButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        painter.setOpacity(pressedOpacity);
    }
    const int side = symbolSide();
    QRectF box(0, 0, side, side);
    box.moveCenter(QRectF(rect()).center());
    Symbol::paint(painter, box, "xmark", Theme::color(Theme::text));
    paintFocusRing(painter, QRectF(rect()), width() / 2.0, *this);
}

} // namespace tollenvane
