#pragma once

#include <QAccessibleWidget>

namespace tollenvane {

class DisclosureButton;

// What assistive technology reads of a section's header: a button, expanded while the section is
// open and collapsed while closed. Qt reads a checkable button as a check box, checked or not.
class AccessibleDisclosure final : public QAccessibleWidget {
public:
    explicit AccessibleDisclosure(DisclosureButton& button);

    // For QAccessible::installFactory: the reading of every section header, none for others.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    DisclosureButton& button() const;
};

} // namespace tollenvane
