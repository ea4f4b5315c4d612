#include "app/shell/WindowFit.h"

#include <algorithm>

namespace tollenvane {

namespace {

// Where a span of `length` starting at `start` goes to lie within [low, high): moved back from
// the far end first, then from the near one, so that its start stays in view.
int fittedStart(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

QRect fittedGeometry(const QRect& content, const QMargins& frame, const QSize& minimum,
                     const QRect& available)
{
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = content.size().boundedTo(room).expandedTo(minimum);
    const QRect framed = QRect(content.topLeft(), size).marginsAdded(frame);
    const int left = fittedStart(framed.left(), framed.width(), available.left(),
                                 available.left() + available.width());
    const int top = fittedStart(framed.top(), framed.height(), available.top(),
                                available.top() + available.height());
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

} // namespace tollenvane
