#pragma once

#include <QAbstractButton>

namespace tollenvane {

// A painted button that shows whether it stands for the current choice. The choice is the
// model's: a click asks for it and leaves the mark to whoever follows the model, so the button is
// not checkable.
class SelectableButton : public QAbstractButton {
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
