#pragma once

class QAbstractButton;
class QPainter;

namespace tollenvane::LiftButtonStyle {

// How opaque a clickable surface is drawn: dimmed while disabled, a little less while held.
double opacity(bool enabled, bool pressed);

// For painted buttons: sets the painter's opacity from the button's state.
void applyTo(QPainter& painter, const QAbstractButton& button);

// For tiles made of child widgets: dims the whole tile through an opacity effect that follows
// its pressed and enabled state from now on.
void attach(QAbstractButton& tile);

} // namespace tollenvane::LiftButtonStyle
