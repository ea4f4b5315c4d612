#include "app/deck/CardOutline.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

CardOutline::CardOutline(qreal radius, QWidget* parent)
    : QWidget(parent)
    , radius_(radius)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CardOutline::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Theme::color(Theme::line), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_));
}

} // namespace tollenvane
