#pragma once

#include "app/design/AccessibleButton.h"

namespace tollenvane {

class DisclosureButton;

// What assistive technology reads of a section's header: a button, expanded while the section is
// open and collapsed while closed. Qt reads a checkable button as a check box, checked or not.
class AccessibleDisclosure final : public AccessibleButton {
public:
    explicit AccessibleDisclosure(DisclosureButton& button);

    // For QAccessible::installFactory: the reading of every section header, none for others.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::State state() const override;
};

} // namespace tollenvane
