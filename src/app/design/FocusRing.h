#pragma once

#include "app/design/Theme.h"

#include <QRectF>

class QPainter;
class QWidget;

namespace tollenvane {

// The ring's colour: blue, so that it never reads as the orange that marks a chosen item.
inline constexpr ThemeColor focusRingColor{0x8AB4F8, 0x1D5FD3};

// Room a control keeps around its content when the ring is drawn inside its own rectangle: the
// ring's width and the gap that parts it from the surface.
inline constexpr int focusRingMargin = 3;

// Draws the keyboard focus ring inside `outline`, following its corners of `radius`. A thin line
// of the window's background inside the ring keeps it apart from any fill, so it reads on orange
// as on the panels, in both appearances. For delegates and styles, which know the focus.
void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius);
// The same while `owner` holds the focus the keyboard gave, nothing otherwise: painted controls
// call it last in paintEvent.
void paintFocusRing(QPainter& painter, const QRectF& outline, qreal radius, const QWidget& owner);

} // namespace tollenvane
