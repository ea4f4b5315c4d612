#pragma once

#include <QAccessibleWidget>

class QComboBox;
class QVariant;

namespace tollenvane {

// What assistive technology reads of a picker: its label as its name and the entry it shows as
// its value. Qt's own reading on Linux names a picker by the entry it shows, leaving the name to
// a label beside it, so that a page's pickers would each be read as nothing but a value.
class AccessiblePicker final : public QAccessibleWidget {
public:
    explicit AccessiblePicker(QComboBox& picker);

    // For QAccessible::installFactory: the reading of every picker, none for other objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QComboBox& picker() const;
    QString shownValue() const;
};

// Adds an entry that shows `shown`, a name made fit to show, standing for `value`: assistive
// technology reads it without the marks that show it.
void addNameEntry(QComboBox& picker, const QString& shown, const QVariant& value);

} // namespace tollenvane
