#include "app/design/FocusRing.h"

#include "app/design/ContinuousRoundedRect.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr qreal ringWidth = 2;
constexpr qreal gapWidth = 1;

QPainterPath insetOutline(const QRectF& outline, qreal radius, qreal inset)
{
    return continuousRoundedRect(outline.adjusted(inset, inset, -inset, -inset),
                                 std::max<qreal>(0, radius - inset));
}

} // namespace

void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius, const QWidget& owner)
{
    // As the stock styles do, only once the keyboard has moved the focus in that window: a click
    // needs no ring to show where it landed.
    if (owner.hasFocus() && owner.window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        paintFocusRing(painter, outline, radius);
    }
}

void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius)
{
    painter.save();
    // The ring shows at full strength on a control dimmed while held or disabled.
    painter.setOpacity(1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::color(Theme::bg), gapWidth));
    painter.drawPath(insetOutline(outline, radius, ringWidth + gapWidth / 2));
    painter.setPen(QPen(Theme::color(focusRingColor), ringWidth));
    painter.drawPath(insetOutline(outline, radius, ringWidth / 2));
    painter.restore();
}

} // namespace tollenvane
