#include "app/kit/FocusHandOff.h"

#include "app/kit/TabOrder.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include <algorithm>
#include <iterator>
#include <vector>

namespace tollenvane {
namespace {

bool holds(const QWidget& control, const QWidget* focus)
{
    return focus != nullptr && (focus == &control || control.isAncestorOf(focus));
}

bool gone(const QWidget& control)
{
    return !control.isVisible() || !control.isEnabled();
}

bool isTab(const QEvent& event)
{
    if (event.type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(event);
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
           (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
}

} // namespace

FocusHandOff::FocusHandOff(QWidget& holder, Home home)
    : holder_(holder)
    , home_(std::move(home))
{}

// The window's own focus counts, not the application's: under a dialog, the control it holds is
// the one the window gives the focus back to.
bool FocusHandOff::keeps()
{
    QWidget* focus = holder_.window()->focusWidget();
    if (tabbing_ || focus == nullptr || !holder_.isAncestorOf(focus) || !gone(*focus)) {
        return false;
    }
    if (gone_ != focus) {
        if (gone_) {
            gone_->removeEventFilter(this);
        }
        gone_ = focus;
        focus->installEventFilter(this);
    }
    return true;
}

void FocusHandOff::handOnLater()
{
    QMetaObject::invokeMethod(this, &FocusHandOff::handOn, Qt::QueuedConnection);
}

QWidget* FocusHandOff::kept() const
{
    return gone_ && holder_.window()->focusWidget() == gone_ && gone(*gone_) ? gone_.data()
                                                                             : nullptr;
}

void FocusHandOff::handOn()
{
    QWidget* control = kept();
    if (control == nullptr) {
        if (gone_) {
            gone_->removeEventFilter(this);
        }
        gone_ = nullptr;
        return;
    }
    if (QWidget* home = home_(*control)) {
        control->removeEventFilter(this);
        gone_ = nullptr;
        home->setFocus(Qt::OtherFocusReason);
    }
}

// The Tab reaches the holder as it would from a control still there, after the control itself,
// which ignores keys while disabled, and its ancestors; only then the holder lets it go on.
bool FocusHandOff::eventFilter(QObject* watched, QEvent* event)
{
    if (tabbing_ || watched != gone_ || !isTab(*event) || kept() == nullptr) {
        return false;
    }
    const QScopedValueRollback tabbing(tabbing_, true);
    QCoreApplication::sendEvent(watched, event);
    // Delivered: the window's own round of its ancestors would deliver it twice.
    event->accept();
    return true;
}

void replaceShown(std::initializer_list<PlacedControl> controls)
{
    for (const PlacedControl& placed : controls) {
        if (placed.shown && placed.control.isHidden()) {
            placed.control.show();
        }
        if (placed.shown && placed.enabled && !placed.control.isEnabled()) {
            placed.control.setEnabled(true);
        }
    }
    const QWidget* focus = QApplication::focusWidget();
    const auto goes = [](const PlacedControl& placed) { return !placed.shown || !placed.enabled; };
    const bool handed = std::any_of(controls.begin(), controls.end(), [&](const auto& placed) {
        return goes(placed) && holds(placed.control, focus);
    });
    if (handed) {
        const auto successor =
            std::find_if(controls.begin(), controls.end(), [](const auto& placed) {
                return placed.shown && placed.enabled &&
                       (placed.control.focusPolicy() & Qt::TabFocus) != 0;
            });
        if (successor != controls.end()) {
            successor->control.setFocus(Qt::OtherFocusReason);
        }
    }
    for (const PlacedControl& placed : controls) {
        if (placed.control.isEnabled() != placed.enabled) {
            placed.control.setEnabled(placed.enabled);
        }
        if (!placed.shown) {
            placed.control.hide();
        }
    }
}

bool takesTab(const QWidget& control, const QWidget& root)
{
    return (control.focusPolicy() & Qt::TabFocus) != 0 && control.focusProxy() == nullptr &&
           control.isVisibleTo(&root) && control.isEnabled();
}

bool holdsWindowFocus(const QWidget& control)
{
    return control.window()->focusWidget() == &control;
}

QWidget* stopBeside(QWidget& root, const QWidget& from, bool forward)
{
    const std::vector<QWidget*> widgets = widgetsAsLaidOut(root);
    const auto inside = [&from](const QWidget* widget) { return holds(from, widget); };
    const auto takes = [&root](const QWidget* widget) { return takesTab(*widget, root); };
    // A widget's children come right after it in the order as laid out.
    const auto first = std::find_if(widgets.begin(), widgets.end(), inside);
    const auto past = std::find_if_not(first, widgets.end(), inside);
    const auto next = std::find_if(past, widgets.end(), takes);
    const auto previous = std::find_if(std::make_reverse_iterator(first), widgets.rend(), takes);
    if (forward ? next != widgets.end() : previous == widgets.rend()) {
        return next == widgets.end() ? nullptr : *next;
    }
    return previous == widgets.rend() ? nullptr : *previous;
}

} // namespace tollenvane
