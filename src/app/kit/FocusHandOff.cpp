#include "app/kit/FocusHandOff.h"

#include <QApplication>
#include <QWidget>

namespace tollenvane {

void handFocusOn(const QWidget& going, QWidget& successor)
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || (focus != &going && !going.isAncestorOf(focus))) {
        return;
    }
    if (!successor.isHidden() && successor.isEnabled() &&
        (successor.focusPolicy() & Qt::TabFocus) != 0) {
        successor.setFocus(Qt::OtherFocusReason);
    }
}

} // namespace tollenvane
