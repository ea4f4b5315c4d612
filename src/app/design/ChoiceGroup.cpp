#include "app/design/ChoiceGroup.h"

#include <QAccessibleWidget>

namespace tollenvane {

QAccessibleInterface* ChoiceGroup::accessible(const QString& className, QObject* object)
{
    auto* group = className == QLatin1String(staticMetaObject.className())
                      ? qobject_cast<ChoiceGroup*>(object)
                      : nullptr;
    return group != nullptr ? new QAccessibleWidget(group, QAccessible::Grouping) : nullptr;
}

} // namespace tollenvane
