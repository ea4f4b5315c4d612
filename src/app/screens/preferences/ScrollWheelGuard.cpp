#include "app/screens/preferences/ScrollWheelGuard.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace tollenvane {

ScrollWheelGuard::ScrollWheelGuard(QAbstractScrollArea& page)
    : QObject(&page)
    , page_(page)
{}

void ScrollWheelGuard::guard(QWidget& control)
{
    control.installEventFilter(this);
}

bool ScrollWheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel) {
        return QObject::eventFilter(watched, event);
    }
    QCoreApplication::sendEvent(page_.verticalScrollBar(), event);
    return true;
}

} // namespace tollenvane
