#include "app/design/TextFieldFocus.h"

#include <QApplication>
#include <QLineEdit>

namespace tollenvane {

TextFieldFocus::TextFieldFocus(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

TextFieldFocus::~TextFieldFocus()
{
    qApp->removeEventFilter(this);
}

bool TextFieldFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Polish) {
        return false;
    }
    // Qt's field takes its caret for one never placed until it is first moved, and tells of it
    // then: placed where it is, it is told now. A selection was told as it was made, and placing
    // the caret would clear it.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && !field->hasSelectedText()) {
        field->setCursorPosition(field->cursorPosition());
    }
    return false;
}

} // namespace tollenvane
