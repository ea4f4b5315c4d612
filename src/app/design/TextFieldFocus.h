#pragma once

#include <QObject>

namespace tollenvane {

// A text field is heard the first time the keyboard reaches it. Qt tells assistive technology
// that a new field's caret moved when the field first takes the focus, before it tells of the
// focus itself; a screen reader that hears the caret first takes the field for the focus already
// and the focus that follows for one it has told, and says nothing. Each field's caret is
// settled as the field is made ready to show, where no screen reader follows it. One per
// application, for as long as it lives.
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
