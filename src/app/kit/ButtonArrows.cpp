#include "app/kit/ButtonArrows.h"

#include "app/kit/FocusHandOff.h"
#include "app/kit/TabOrder.h"
#include "app/kit/VirtualList.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

namespace tollenvane {

ButtonArrows::ButtonArrows(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

ButtonArrows::~ButtonArrows()
{
    qApp->removeEventFilter(this);
}

bool ButtonArrows::movesItsOwnWay(const QAbstractButton& button)
{
    if (button.autoExclusive() || button.group() != nullptr) {
        return true;
    }
    for (const QWidget* at = button.parentWidget(); at != nullptr; at = at->parentWidget()) {
        // A control whose options are buttons, keeping the focus on the chosen one.
        if (at->focusProxy() == &button) {
            return true;
        }
        if (qobject_cast<const VirtualList*>(at) != nullptr ||
            qobject_cast<const QAbstractItemView*>(at) != nullptr) {
            return true;
        }
    }
    return false;
}

bool ButtonArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto& key = static_cast<QKeyEvent&>(*event);
    auto* button = qobject_cast<QAbstractButton*>(watched);
    // Seen again on each parent a press travels to: only the focused button's own press counts.
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || button == nullptr ||
        !button->hasFocus() || button->parentWidget() == nullptr || movesItsOwnWay(*button)) {
        return false;
    }
    if (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down) {
        // Kept from the button and left unaccepted, it goes on to the widgets that hold it as a
        // key the button leaves, each seeing it once.
        key.ignore();
        return true;
    }
    QWidget& holder = *button->parentWidget();
    const int step = stepAlong(key.key(), holder.layoutDirection());
    if (step == 0) {
        return false;
    }
    std::vector<QWidget*> beside = tabStopsAsLaidOut(holder);
    const auto at = std::find(beside.begin(), beside.end(), button);
    if (at == beside.end()) {
        return true;
    }
    const auto takes = [button](const QWidget* stop) { return takesTab(*stop, *button->window()); };
    if (step < 0) {
        const auto before = std::find_if(std::make_reverse_iterator(at), beside.rend(), takes);
        if (before != beside.rend()) {
            (*before)->setFocus(Qt::BacktabFocusReason);
        }
    } else if (const auto after = std::find_if(at + 1, beside.end(), takes);
               after != beside.end()) {
        (*after)->setFocus(Qt::TabFocusReason);
    }
    return true;
}

int stepAlong(int key, Qt::LayoutDirection direction)
{
    const int forward = direction == Qt::RightToLeft ? -1 : 1;
    switch (key) {
    case Qt::Key_Left:
        return -forward;
    case Qt::Key_Right:
        return forward;
    default:
        return 0;
    }
}

} // namespace tollenvane
