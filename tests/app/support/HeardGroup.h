#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QString>
#include <QWidget>

namespace tollenvane::test {

// The name of the nearest group assistive technology reads `control` under, as a screen reader
// speaks it when the focus comes into the group; empty when it stands in none.
inline QString heardGroup(QWidget& control)
{
    for (QAccessibleInterface* at = QAccessible::queryAccessibleInterface(&control)->parent();
         at != nullptr; at = at->parent()) {
        if (at->role() == QAccessible::Grouping) {
            return at->text(QAccessible::Name);
        }
    }
    return {};
}

} // namespace tollenvane::test
