#pragma once

#include <QAccessibleWidget>

class QComboBox;
class QVariant;

namespace tollenvane {

// What assistive technology reads of a picker: its label as its name and the entry it shows as
// its value. Qt's own reading on Linux names a picker by the entry it shows, leaving the name to
// a label beside it, so that a page's pickers would each be read as nothing but a value.
//
// Screen readers on Linux take a picker's value from its text, which Qt's reading leaves empty:
// the entry shown is also the picker's text, whole and selected as the chosen entry is, and each
// entry the user picks is told as a text put in its place.
class AccessiblePicker final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessiblePicker(QComboBox& picker);

    // For QAccessible::installFactory: the reading of every picker, none for other objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

    // The entry shown, read as a text that cannot be edited.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QComboBox& picker() const;
    QString shownValue() const;
};

// Adds an entry that shows `shown`, a name made fit to show, standing for `value`: assistive
// technology reads it without the marks that show it.
void addNameEntry(QComboBox& picker, const QString& shown, const QVariant& value);

} // namespace tollenvane
