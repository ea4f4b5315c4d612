#pragma once

#include "app/design/SelectableButton.h"

namespace tollenvane {

// A selectable button that is one of several choices, of which the model holds one: assistive
// technology reads it as a choice, chosen or not (AccessibleChoice).
class ChoiceButton : public SelectableButton {
    Q_OBJECT

protected:
    using SelectableButton::SelectableButton;
};

} // namespace tollenvane
