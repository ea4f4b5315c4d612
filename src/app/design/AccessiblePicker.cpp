#include "app/design/AccessiblePicker.h"

#include "app/design/ShownName.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace tollenvane {

AccessiblePicker::AccessiblePicker(QComboBox& picker)
    : QAccessibleWidget(&picker, QAccessible::ComboBox)
{}

QAccessibleInterface* AccessiblePicker::create(const QString& className, QObject* object)
{
    auto* picker =
        className == QLatin1String("QComboBox") ? qobject_cast<QComboBox*>(object) : nullptr;
    return picker != nullptr ? new AccessiblePicker(*picker) : nullptr;
}

QComboBox& AccessiblePicker::picker() const
{
    return *static_cast<QComboBox*>(widget());
}

QString AccessiblePicker::shownValue() const
{
    const QComboBox& shown = picker();
    return spokenText(shown.isEditable() ? shown.lineEdit()->text() : shown.currentText());
}

QString AccessiblePicker::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name: {
        // A picker given no label is at least read by what it shows.
        const QString label = picker().accessibleName();
        return label.isEmpty() ? shownValue() : label;
    }
    case QAccessible::Value:
        return shownValue();
    default:
        return QAccessibleWidget::text(kind);
    }
}

QAccessible::State AccessiblePicker::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = picker().view()->isVisible();
    state.editable = picker().isEditable();
    return state;
}

// The list of entries, then the text field of an editable picker.
int AccessiblePicker::childCount() const
{
    return picker().isEditable() ? 2 : 1;
}

QAccessibleInterface* AccessiblePicker::child(int index) const
{
    if (index == 0) {
        return QAccessible::queryAccessibleInterface(picker().view());
    }
    if (index == 1 && picker().isEditable()) {
        return QAccessible::queryAccessibleInterface(picker().lineEdit());
    }
    return nullptr;
}

int AccessiblePicker::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr) {
        return -1;
    }
    if (child->object() == picker().view()) {
        return 0;
    }
    return picker().isEditable() && child->object() == picker().lineEdit() ? 1 : -1;
}

QAccessibleInterface* AccessiblePicker::childAt(int x, int y) const
{
    const QComboBox& shown = picker();
    if (!shown.isEditable()) {
        return nullptr;
    }
    const QLineEdit& field = *shown.lineEdit();
    return QRect(field.mapToGlobal(QPoint()), field.size()).contains(x, y) ? child(1) : nullptr;
}

QStringList AccessiblePicker::actionNames() const
{
    return {showMenuAction(), pressAction()};
}

void AccessiblePicker::doAction(const QString& action)
{
    if (action != showMenuAction() && action != pressAction()) {
        return;
    }
    QComboBox& shown = picker();
    if (shown.view()->isVisible()) {
        shown.hidePopup();
    } else {
        shown.showPopup();
    }
}

QStringList AccessiblePicker::keyBindingsForAction(const QString&) const
{
    return {};
}

void addNameEntry(QComboBox& picker, const QString& shown, const QVariant& value)
{
    picker.addItem(shown, value);
    picker.setItemData(picker.count() - 1, spokenText(shown), Qt::AccessibleTextRole);
}

} // namespace tollenvane
