#include "app/design/ScrollWheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace tollenvane {

ScrollWheelGuard::ScrollWheelGuard()
{
    QCoreApplication::instance()->installEventFilter(this);
}

ScrollWheelGuard::~ScrollWheelGuard()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool ScrollWheelGuard::isPicker(const QWidget& widget)
{
    return qobject_cast<const QComboBox*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr ||
           (qobject_cast<const QAbstractSlider*>(&widget) != nullptr &&
            qobject_cast<const QScrollBar*>(&widget) == nullptr);
}

bool ScrollWheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Wheel && type != QEvent::Polish) || !watched->isWidgetType()) {
        return false;
    }
    auto& widget = static_cast<QWidget&>(*watched);
    if (!isPicker(widget)) {
        return false;
    }
    if (type == QEvent::Polish) {
        if ((widget.focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus) {
            widget.setFocusPolicy(Qt::StrongFocus);
        }
        return false;
    }
    for (QWidget* above = widget.parentWidget(); above != nullptr; above = above->parentWidget()) {
        if (auto* area = qobject_cast<QAbstractScrollArea*>(above)) {
            QCoreApplication::sendEvent(area->verticalScrollBar(), event);
            break;
        }
    }
    return true;
}

} // namespace tollenvane
