#include "app/design/AccessibleChoice.h"

#include "app/design/ChoiceButton.h"
#include "app/design/ShownName.h"

namespace tollenvane {

AccessibleChoice::AccessibleChoice(ChoiceButton& choice)
    : QAccessibleWidget(&choice, QAccessible::RadioButton)
{}

QAccessibleInterface* AccessibleChoice::create(const QString& className, QObject* object)
{
    auto* choice = className == QLatin1String(ChoiceButton::staticMetaObject.className())
                       ? qobject_cast<ChoiceButton*>(object)
                       : nullptr;
    return choice != nullptr ? new AccessibleChoice(*choice) : nullptr;
}

ChoiceButton& AccessibleChoice::choice() const
{
    return *static_cast<ChoiceButton*>(widget());
}

QString AccessibleChoice::text(QAccessible::Text kind) const
{
    const QString text = QAccessibleWidget::text(kind);
    return kind == QAccessible::Name && text.isEmpty() ? spokenText(choice().text()) : text;
}

QAccessible::State AccessibleChoice::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = choice().isSelected();
    return state;
}

QStringList AccessibleChoice::actionNames() const
{
    QStringList names{pressAction()};
    names << QAccessibleWidget::actionNames();
    return names;
}

void AccessibleChoice::doAction(const QString& action)
{
    if (action != pressAction()) {
        QAccessibleWidget::doAction(action);
    } else if (choice().isEnabled()) {
        choice().click();
    }
}

} // namespace tollenvane
