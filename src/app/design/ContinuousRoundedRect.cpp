#include "app/design/ContinuousRoundedRect.h"

#include <algorithm>

namespace tollenvane {

namespace {

// The curve starts this many radii away from the corner and its control points sit this far
// along the edges: a smoother join than a circle's 1.0 and 0.45, with the same visual size.
constexpr qreal reach = 1.28;
constexpr qreal handle = 0.32;

} // namespace

QPainterPath continuousRoundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    // A block of the treemap can be thinner than the pixel its outline is inset by.
    if (!(rect.width() > 0 && rect.height() > 0)) {
        return path;
    }
    const qreal r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2.0);
    if (r <= 0) {
        path.addRect(rect);
        return path;
    }
    const qreal a = std::min(r * reach, std::min(rect.width(), rect.height()) / 2.0);
    const qreal h = a * handle;
    const qreal l = rect.left();
    const qreal t = rect.top();
    const qreal rt = rect.right();
    const qreal b = rect.bottom();
    path.moveTo(l + a, t);
    path.lineTo(rt - a, t);
    path.cubicTo(rt - h, t, rt, t + h, rt, t + a);
    path.lineTo(rt, b - a);
    path.cubicTo(rt, b - h, rt - h, b, rt - a, b);
    path.lineTo(l + a, b);
    path.cubicTo(l + h, b, l, b - h, l, b - a);
    path.lineTo(l, t + a);
    path.cubicTo(l, t + h, l + h, t, l + a, t);
    path.closeSubpath();
    return path;
}

} // namespace tollenvane
