#include "app/deck/ReviewKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace tollenvane {
namespace {

bool takesTyping(const QWidget* widget)
{
    if (widget == nullptr) {
        return false;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->isEditable();
    }
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QTextEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr ||
           qobject_cast<const QAbstractSpinBox*>(widget) != nullptr;
}

} // namespace

ReviewKeys::ReviewKeys(std::function<ReviewKeyInputs()> screenState,
                       std::function<void(const ReviewKeyOutcome&)> act, QObject* parent)
    : QObject(parent)
    , screenState_(std::move(screenState))
    , act_(std::move(act))
{
    qApp->installEventFilter(this);
}

ReviewKeys::~ReviewKeys()
{
    qApp->removeEventFilter(this);
}

// A press travels through the window and then each widget up from the focus: the first time it
// is seen decides, and a press passed on is passed on every time, as nothing changes between.
bool ReviewKeys::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    ReviewKeyInputs inputs = screenState_();
    inputs.modalWindow = QApplication::activeModalWidget() != nullptr;
    inputs.popupOpen = QApplication::activePopupWidget() != nullptr;
    inputs.textFieldFocused = takesTyping(QApplication::focusWidget());
    inputs.modifiers = key.modifiers();
    inputs.autoRepeat = key.isAutoRepeat();
    inputs.key = key.key();
    const ReviewKeyOutcome outcome = reviewKeyOutcome(inputs);
    if (!outcome.consumed) {
        return false;
    }
    act_(outcome);
    return true;
}

} // namespace tollenvane
