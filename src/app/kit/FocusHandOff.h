#pragma once

class QWidget;

namespace tollenvane {

// `going`, about to hide while it or a control inside it holds the focus, hands the focus to
// `successor`, the control that takes its place, when that one can take it: the focus, and the
// page with it, then stays where the user acted rather than jumping to whatever follows.
void handFocusOn(const QWidget& going, QWidget& successor);

} // namespace tollenvane
