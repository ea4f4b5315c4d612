#include "app/design/AccessiblePicker.h"

#include "app/design/ShownName.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

namespace tollenvane {

AccessiblePicker::AccessiblePicker(QComboBox& picker)
    : QAccessibleWidget(&picker, QAccessible::ComboBox)
{
    // Qt tells only that the value changed, which screen readers leave unspoken; a text put in
    // the picker's is spoken while the picker has the focus.
    QObject::connect(&picker, &QComboBox::currentIndexChanged, &picker, [&picker] {
        if (picker.isEditable()) {
            return;
        }
        QAccessibleTextInsertEvent told(&picker, 0, spokenText(picker.currentText()));
        QAccessible::updateAccessibility(&told);
    });
}

QAccessibleInterface* AccessiblePicker::create(const QString& className, QObject* object)
{
    auto* picker =
        className == QLatin1String("QComboBox") ? qobject_cast<QComboBox*>(object) : nullptr;
    return picker != nullptr ? new AccessiblePicker(*picker) : nullptr;
}

void* AccessiblePicker::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                              : QAccessibleWidget::interface_cast(type);
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

QString AccessiblePicker::text(int startOffset, int endOffset) const
{
    return shownValue().mid(startOffset, endOffset - startOffset);
}

int AccessiblePicker::characterCount() const
{
    return static_cast<int>(shownValue().size());
}

void AccessiblePicker::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = selectionIndex == 0 ? characterCount() : 0;
}

int AccessiblePicker::selectionCount() const
{
    return characterCount() > 0 ? 1 : 0;
}

QRect AccessiblePicker::characterRect(int) const
{
    return {};
}

int AccessiblePicker::offsetAtPoint(const QPoint&) const
{
    return -1;
}

QString AccessiblePicker::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

void addNameEntry(QComboBox& picker, const QString& shown, const QVariant& value)
{
    picker.addItem(shown, value);
    picker.setItemData(picker.count() - 1, spokenText(shown), Qt::AccessibleTextRole);
}

} // namespace tollenvane
