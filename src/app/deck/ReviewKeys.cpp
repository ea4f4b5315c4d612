#include "app/deck/ReviewKeys.h"

#include <QApplication>
#include <QKeyEvent>

namespace tollenvane {

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

// A press travels through the window and then each widget up from the focus: the first widget
// decides, and a press passed on is passed on every time, as nothing changes between. Before the
// window's delivery Qt's accessibility bridge, an application filter too, takes it to the screen
// reader and sends it again.
bool ReviewKeys::eventFilter(QObject* watched, QEvent* event)
{
    const bool press =
        event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (!press || !watched->isWidgetType()) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    ReviewKeyInputs inputs = screenState_();
    inputs.modalWindow = QApplication::activeModalWidget() != nullptr;
    inputs.popupOpen = QApplication::activePopupWidget() != nullptr;
    inputs.modifiers = key.modifiers();
    inputs.autoRepeat = key.isAutoRepeat();
    inputs.key = key.key();
    const ReviewKeyOutcome outcome = reviewKeyOutcome(inputs);
    if (!outcome.consumed()) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
    } else {
        act_(outcome);
    }
    return true;
}

} // namespace tollenvane
