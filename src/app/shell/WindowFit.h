#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace tollenvane {

// Where a window's content goes so that the window, with the frame the window manager adds
// around it, lies in `available`, the screen's area free of panels: its size no larger than
// there is room for, yet never below `minimum`, and its frame moved in from any edge it crosses.
// A window that cannot fit keeps its top-left corner, and so its title bar, on screen.
QRect fittedGeometry(const QRect& content, const QMargins& frame, const QSize& minimum,
                     const QRect& available);

} // namespace tollenvane
