#pragma once

#include <QAbstractButton>

namespace tollenvane {

// A painted button that is one of several choices, of which the model holds one, and shows
// whether it stands for the current one. The choice is the model's: a click asks for it and
// leaves the mark to whoever follows the model, so the button is not checkable. Assistive
// technology reads it as a choice, chosen or not (AccessibleChoice).
class ChoiceButton : public QAbstractButton {
    Q_OBJECT

public:
    bool isSelected() const { return selected_; }
    // Assistive technology is told of the change.
    void setSelected(bool selected);

    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    using QAbstractButton::QAbstractButton;

private:
    bool selected_ = false;
};

} // namespace tollenvane
