#pragma once

#include <QObject>

namespace tollenvane {

// A text field that takes the keyboard is heard. Qt tells assistive technology of the field's
// caret while the field takes the focus, before it tells of the focus itself; a screen reader
// that hears the caret first takes the field for the focus already, and the focus that follows
// for one it has told. Told of the focus first, it speaks the field. One per application, for as
// long as it lives.
class TextFieldFocus final : public QObject {
    Q_OBJECT

public:
    explicit TextFieldFocus(QObject* parent = nullptr);
    ~TextFieldFocus() override;

    TextFieldFocus(const TextFieldFocus&) = delete;
    TextFieldFocus& operator=(const TextFieldFocus&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tollenvane
