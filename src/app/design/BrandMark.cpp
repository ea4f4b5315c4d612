#include "app/design/BrandMark.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>
#include <functional>

namespace tollenvane {

namespace {

// Draws one card of 0.39 s by 0.5 s turned about its own centre, then moved sideways in the
// logo's frame.
void drawCard(QPainter& painter, qreal s, qreal degrees, qreal offsetX,
              const std::function<void(const QPainterPath&)>& draw)
{
    painter.save();
    painter.translate(s / 2 + offsetX, s / 2);
    painter.rotate(degrees);
    const qreal w = 0.39 * s;
    const qreal h = 0.5 * s;
    draw(continuousRoundedRect(QRectF(-w / 2, -h / 2, w, h), 0.08 * s));
    painter.restore();
}

} // namespace

BrandMark::BrandMark(int size, QWidget* parent)
    : QWidget(parent)
    , size_(size)
{
    setFixedSize(size, size);
    setAccessibleName(QString());
    setFocusPolicy(Qt::NoFocus);
}

void BrandMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size_;

    const QColor accent = Theme::color(Theme::accent);
    QLinearGradient shading(0, 0, 0, s);
    shading.setColorAt(0, accent.lighter(108));
    shading.setColorAt(1, accent.darker(108));
    painter.fillPath(continuousRoundedRect(QRectF(0, 0, s, s), 0.26 * s), shading);

    drawCard(painter, s, -15, -0.12 * s, [&](const QPainterPath& card) {
        painter.setPen(
            QPen(QColor(0, 0, 0, 77), 0.045 * s, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(card);
    });
    drawCard(painter, s, 10, 0.09 * s,
             [&](const QPainterPath& card) { painter.fillPath(card, Theme::color(Theme::ink)); });

    const int arrowSide = Symbol::sideBeside(0.24 * s);
    const QPixmap arrow = Symbol::pixmap("arrow.right", arrowSide, Theme::color(Theme::orange),
                                         painter.device()->devicePixelRatioF());
    if (!arrow.isNull()) {
        const QPointF centre(s / 2 + 0.1 * s, s / 2);
        painter.drawPixmap(QRectF(centre.x() - arrowSide / 2.0, centre.y() - arrowSide / 2.0,
                                  arrowSide, arrowSide),
                           arrow, QRectF(arrow.rect()));
    }
}

} // namespace tollenvane
