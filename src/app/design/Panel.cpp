#include "app/design/Panel.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Theme.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QVBoxLayout>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int padding = 24;
// Past the reach of a corner's curve (1.28 radii) and the half-pixel inset of the edge.
constexpr int cornerZone = 24;
constexpr int tileSide = 2 * cornerZone + 1;

void paintSurface(QPainter& painter, const QRect& rect, const QColor& fill, const QColor& edge)
{
    painter.setRenderHint(QPainter::Antialiasing);
    // Inset by half the stroke so the centred hairline stays inside the widget.
    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), Panel::cornerRadius);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(edge, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(shape);
}

} // namespace

Panel::Panel(QWidget* parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(padding, padding, padding, padding);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor fill = Theme::color(Theme::panel);
    const QColor edge = Theme::color(Theme::line);
    // The antialiased surface is costly to fill at full size, and every panel has the same
    // corners and edges: they are drawn once per appearance on a small panel, then copied, the
    // edges stretched along; a panel too small for that, or on a fractional scale, is drawn.
    const qreal ratio = devicePixelRatioF();
    if (width() < tileSide || height() < tileSide || ratio != std::floor(ratio)) {
        paintSurface(painter, rect(), fill, edge);
        return;
    }
    const QString key = QStringLiteral("tollenvane-panel-tile@%1:%2:%3")
                            .arg(ratio)
                            .arg(fill.rgba())
                            .arg(edge.rgba());
    QPixmap tile;
    if (!QPixmapCache::find(key, &tile)) {
        tile = QPixmap(QSize(tileSide, tileSide) * ratio);
        tile.setDevicePixelRatio(ratio);
        tile.fill(Qt::transparent);
        QPainter drawing(&tile);
        paintSurface(drawing, QRect(0, 0, tileSide, tileSide), fill, edge);
        drawing.end();
        QPixmapCache::insert(key, tile);
    }
    // Nine parts: the tile's corners, its middle row and column stretched, its middle inside.
    const int r = static_cast<int>(ratio);
    const int middleWidth = width() - 2 * cornerZone;
    const int middleHeight = height() - 2 * cornerZone;
    const auto part = [&](int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
        painter.drawPixmap(QRect(x, y, w, h), tile, QRect(sx * r, sy * r, sw * r, sh * r));
    };
    const int far = cornerZone + 1;
    const int right = width() - cornerZone;
    const int bottom = height() - cornerZone;
    part(0, 0, cornerZone, cornerZone, 0, 0, cornerZone, cornerZone);
    part(right, 0, cornerZone, cornerZone, far, 0, cornerZone, cornerZone);
    part(0, bottom, cornerZone, cornerZone, 0, far, cornerZone, cornerZone);
    part(right, bottom, cornerZone, cornerZone, far, far, cornerZone, cornerZone);
    part(cornerZone, 0, middleWidth, cornerZone, cornerZone, 0, 1, cornerZone);
    part(cornerZone, bottom, middleWidth, cornerZone, cornerZone, far, 1, cornerZone);
    part(0, cornerZone, cornerZone, middleHeight, 0, cornerZone, cornerZone, 1);
    part(right, cornerZone, cornerZone, middleHeight, far, cornerZone, cornerZone, 1);
    part(cornerZone, cornerZone, middleWidth, middleHeight, cornerZone, cornerZone, 1, 1);
}

} // namespace tollenvane
