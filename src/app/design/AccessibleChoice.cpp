#include "app/design/AccessibleChoice.h"

#include "app/design/ChoiceButton.h"

namespace tollenvane {

AccessibleChoice::AccessibleChoice(ChoiceButton& choice)
    : AccessibleButton(choice, QAccessible::RadioButton)
{}

QAccessibleInterface* AccessibleChoice::create(const QString& className, QObject* object)
{
    auto* choice = className == QLatin1String(ChoiceButton::staticMetaObject.className())
                       ? qobject_cast<ChoiceButton*>(object)
                       : nullptr;
    return choice != nullptr ? new AccessibleChoice(*choice) : nullptr;
}

QAccessible::State AccessibleChoice::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = static_cast<ChoiceButton&>(button()).isSelected();
    return state;
}

} // namespace tollenvane
