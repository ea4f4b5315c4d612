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
    // Qt's field takes its caret for one never placed until it is first moved, and tells of it
    // then: placed where it is, it is told now.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::Polish && field != nullptr) {
        field->setCursorPosition(field->cursorPosition());
    }
    return false;
}

} // namespace tollenvane
