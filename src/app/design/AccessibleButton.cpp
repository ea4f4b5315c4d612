#include "app/design/AccessibleButton.h"

#include "app/design/ShownName.h"

#include <QAbstractButton>

namespace tollenvane {

AccessibleButton::AccessibleButton(QAbstractButton& button, QAccessible::Role role)
    : QAccessibleWidget(&button, role)
{}

QAbstractButton& AccessibleButton::button() const
{
    return *static_cast<QAbstractButton*>(widget());
}

QString AccessibleButton::text(QAccessible::Text kind) const
{
    const QString text = QAccessibleWidget::text(kind);
    return kind == QAccessible::Name && text.isEmpty() ? spokenText(button().text()) : text;
}

QStringList AccessibleButton::actionNames() const
{
    QStringList names{pressAction()};
    names << QAccessibleWidget::actionNames();
    return names;
}

void AccessibleButton::doAction(const QString& action)
{
    if (action != pressAction()) {
        QAccessibleWidget::doAction(action);
    } else if (button().isEnabled()) {
        button().click();
    }
}

} // namespace tollenvane
