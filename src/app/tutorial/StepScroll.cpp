#include "app/tutorial/StepScroll.h"

#include "app/design/FocusRing.h"

#include <QApplication>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {

namespace {

// The focus ring is drawn around a control: it comes into view with it.
constexpr int followMargin = 2 * focusRingMargin;

} // namespace

StepScroll::StepScroll(QWidget* parent)
    : QScrollArea(parent)
    , body_(new QVBoxLayout)
{
    // Tab goes to the step's controls: the area itself would be a stop that shows nothing.
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    viewport()->setAutoFillBackground(false);
    auto* content = new QWidget;
    body_->setContentsMargins(0, 0, 0, 0);
    // The step is as tall as its items are at the width it has: the least height of items that
    // wrap (a grid of tiles in one column) would make it taller, and scroll for nothing.
    body_->setSizeConstraint(QLayout::SetNoConstraint);
    content->setMinimumHeight(1);
    content->setLayout(body_);
    setWidget(content);
    // The glow shows through the step: setting the widget made it fill its background.
    content->setAutoFillBackground(false);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void StepScroll::follow(QWidget* focused)
{
    if (focused == nullptr || !widget()->isAncestorOf(focused)) {
        return;
    }
    ensureWidgetVisible(focused, followMargin, followMargin);
    // Only text comes before the first control and after the last: it shows with them, as far
    // as they stay in view, so that the keyboard reaches all of the step.
    const QRect placed(focused->mapTo(widget(), QPoint()), focused->size());
    bool first = true;
    bool last = true;
    for (const QWidget* other : widget()->findChildren<QWidget*>()) {
        if (other == focused || !other->isVisible() || (other->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        const int top = other->mapTo(widget(), QPoint()).y();
        first = first && top >= placed.top();
        last = last && top <= placed.top();
    }
    QScrollBar& bar = *verticalScrollBar();
    if (last) {
        bar.setValue(std::max(bar.value(), std::min(bar.maximum(), placed.top() - followMargin)));
    }
    if (first) {
        const int shown = placed.bottom() + followMargin - viewport()->height();
        bar.setValue(std::min(bar.value(), std::max(0, shown)));
    }
}

// The focus is followed wherever it comes from; the area's own following would also scroll to
// the control Tab left, when the focus goes out of the step to a button under it.
bool StepScroll::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

void StepScroll::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!event->spontaneous()) {
        verticalScrollBar()->setValue(0);
    }
}

} // namespace tollenvane
