#include "app/design/TextFieldFocus.h"

#include <QAccessible>
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
    // The field handles its focus after this, moving its caret; Qt tells of the focus after that.
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusIn && field != nullptr && field->hasFocus()) {
        QAccessibleEvent focus(field, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    return false;
}

} // namespace tollenvane
