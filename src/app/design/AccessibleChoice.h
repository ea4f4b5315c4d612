#pragma once

#include "app/design/AccessibleButton.h"

namespace tollenvane {

class ChoiceButton;

// What assistive technology reads of a choice: a radio button named by its label, selected while
// it is the chosen one. Pressing it asks for the choice, as a click does; Qt's reading of a
// checkable button would toggle its mark behind the model's back.
class AccessibleChoice final : public AccessibleButton {
public:
    explicit AccessibleChoice(ChoiceButton& choice);

    // For QAccessible::installFactory: the reading of every choice, none for other objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    QAccessible::State state() const override;
};

} // namespace tollenvane
