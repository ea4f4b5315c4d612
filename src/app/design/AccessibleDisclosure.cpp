#include "app/design/AccessibleDisclosure.h"

#include "app/design/DisclosureButton.h"
#include "app/design/ShownName.h"

namespace tollenvane {

AccessibleDisclosure::AccessibleDisclosure(DisclosureButton& button)
    : QAccessibleWidget(&button, QAccessible::Button)
{}

QAccessibleInterface* AccessibleDisclosure::create(const QString& className, QObject* object)
{
    auto* button = className == QLatin1String(DisclosureButton::staticMetaObject.className())
                       ? qobject_cast<DisclosureButton*>(object)
                       : nullptr;
    return button != nullptr ? new AccessibleDisclosure(*button) : nullptr;
}

DisclosureButton& AccessibleDisclosure::button() const
{
    return *static_cast<DisclosureButton*>(widget());
}

QString AccessibleDisclosure::text(QAccessible::Text kind) const
{
    const QString text = QAccessibleWidget::text(kind);
    return kind == QAccessible::Name && text.isEmpty() ? spokenText(button().text()) : text;
}

QAccessible::State AccessibleDisclosure::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = button().isChecked();
    state.collapsed = !button().isChecked();
    return state;
}

QStringList AccessibleDisclosure::actionNames() const
{
    QStringList names{pressAction()};
    names << QAccessibleWidget::actionNames();
    return names;
}

void AccessibleDisclosure::doAction(const QString& action)
{
    if (action != pressAction()) {
        QAccessibleWidget::doAction(action);
    } else if (button().isEnabled()) {
        button().click();
    }
}

} // namespace tollenvane
