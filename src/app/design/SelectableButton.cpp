#include "app/design/SelectableButton.h"

#include <QAccessible>

namespace tollenvane {

void SelectableButton::setSelected(bool selected)
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
