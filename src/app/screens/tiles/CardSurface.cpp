#include "app/screens/tiles/CardSurface.h"

#include "app/design/ContinuousRoundedRect.h"

#include <QLinearGradient>
#include <QPainter>

namespace tollenvane {

namespace {

QColor resolved(const TintedColor& color)
{
    QColor shown = Theme::color(color.token);
    shown.setAlphaF(static_cast<float>(color.alpha));
    return shown;
}

} // namespace

CardSurface::CardSurface(CardLook look, QWidget* parent)
    : QWidget(parent)
    , look_(look)
{}

void CardSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = continuousRoundedRect(bounds, look_.cornerRadius);
    if (look_.gradientEnd) {
        QLinearGradient gradient(QPointF(bounds.left(), bounds.center().y()), bounds.bottomRight());
        gradient.setColorAt(0, resolved(look_.fill));
        gradient.setColorAt(1, resolved(*look_.gradientEnd));
        painter.fillPath(shape, gradient);
    } else {
        painter.fillPath(shape, resolved(look_.fill));
    }
    if (look_.stroke) {
        painter.setPen(
            QPen(resolved(*look_.stroke), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(shape);
    }
}

} // namespace tollenvane
