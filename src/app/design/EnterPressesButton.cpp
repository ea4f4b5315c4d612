#include "app/design/EnterPressesButton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace tollenvane {

EnterPressesButton::EnterPressesButton(QObject* parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
}

EnterPressesButton::~EnterPressesButton()
{
    qApp->removeEventFilter(this);
}

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    // Seen again on each parent a press travels to: only the focused button's own press counts.
    if (!enter || (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key.isAutoRepeat() ||
        button == nullptr || !button->hasFocus() || !button->isEnabled()) {
        return false;
    }
    button->click();
    return true;
}

} // namespace tollenvane
