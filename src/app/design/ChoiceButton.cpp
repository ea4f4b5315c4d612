#include "app/design/ChoiceButton.h"

#include <QAccessible>

namespace tollenvane {

void ChoiceButton::setSelected(bool selected)
{
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace tollenvane
