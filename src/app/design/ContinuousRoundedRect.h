#pragma once

#include <QPainterPath>
#include <QRectF>

namespace tollenvane {

// A rounded rectangle whose corners ease into the straight edges (a superellipse-like curve)
// instead of meeting them with a circular arc. The radius is clamped to half the shorter side.
QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius);

} // namespace tollenvane
