#include "app/tutorial/StepScroll.h"

#include "app/design/FocusRing.h"

#include <QApplication>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

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
    content->setLayout(body_);
    setWidget(content);
    // The glow shows through the step: setting the widget made it fill its background.
    content->setAutoFillBackground(false);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

void StepScroll::follow(QWidget* focused)
{
    if (focused != nullptr && widget()->isAncestorOf(focused)) {
        ensureWidgetVisible(focused, followMargin, followMargin);
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
