#include "app/design/AccessibleDisclosure.h"

#include "app/design/DisclosureButton.h"

namespace tollenvane {

AccessibleDisclosure::AccessibleDisclosure(DisclosureButton& button)
    : AccessibleButton(button, QAccessible::Button)
{}

QAccessibleInterface* AccessibleDisclosure::create(const QString& className, QObject* object)
{
    auto* button = className == QLatin1String(DisclosureButton::staticMetaObject.className())
                       ? qobject_cast<DisclosureButton*>(object)
                       : nullptr;
    return button != nullptr ? new AccessibleDisclosure(*button) : nullptr;
}

QAccessible::State AccessibleDisclosure::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = button().isChecked();
    state.collapsed = !button().isChecked();
    return state;
}

} // namespace tollenvane
