#include "app/preview/PlayButton.h"

#include "app/design/FocusRing.h"
#include "app/design/Symbol.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr int symbolSide = 32;

} // namespace

PlayButton::PlayButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFixedSize(side, side);
    setCursor(Qt::PointingHandCursor);
}

void PlayButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor(255, 255, 255, 38), 1));
    painter.setBrush(QColor(0, 0, 0, 153));
    painter.drawEllipse(circle);
    QRectF symbol(0, 0, symbolSide, symbolSide);
    symbol.moveCenter(circle.center());
    Symbol::paint(painter, symbol, "play.fill", Qt::white);
    paintFocusRing(painter, QRectF(rect()), width() / 2.0, *this);
}

} // namespace tollenvane
