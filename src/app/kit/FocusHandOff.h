#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <initializer_list>

namespace tollenvane {

// The focus of a control that hides or is disabled while it holds it. Qt would hand it on along
// the window's chain at once, and a screen reader would follow it there: to the sidebar, or to a
// control of a page about to go. The control keeps it instead, told to no one, until it comes
// back or its holder hands the focus to where it belongs, which the holder names. Tab and
// Shift+Tab meanwhile go on from it along the window's chain, as from a control still there.
//
// Use, in the holder, calling handOn() once it shows anew:
//     bool focusNextPrevChild(bool next) override
//     {
//         return handOff_.keeps() || Base::focusNextPrevChild(next);
//     }
class FocusHandOff final : public QObject {
public:
    // Where the focus that `gone` can no longer hold belongs now; none while `gone` keeps it.
    using Home = std::function<QWidget*(QWidget& gone)>;

    FocusHandOff(QWidget& holder, Home home);

    // For the holder's focusNextPrevChild, through which Qt hands on the focus of a control that
    // goes: whether the control keeps it.
    bool keeps();
    // Hands the kept focus to where it belongs now, if it is still kept: once the holder shows
    // what replaces the control.
    void handOn();
    // The same once the events already queued are done, for a holder that replaces its controls
    // as they come.
    void handOnLater();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* kept() const;

    QWidget& holder_;
    Home home_;
    QPointer<QWidget> gone_;
    // A Tab on the control that keeps the focus, on its way to the holder.
    bool tabbing_ = false;
};

// A control of a set that take each other's place, and whether it shows and acts from now on.
struct PlacedControl {
    QWidget& control;
    bool shown;
    bool enabled = true;
};

// Shows and enables the controls that come, hands the focus held by one that goes (or by a
// control inside it) to the first control of `controls` that stays and takes Tab, then hides or
// disables those that go: the focus, and the page with it, stays where the user acted rather
// than jumping to whatever follows.
void replaceShown(std::initializer_list<PlacedControl> controls);

// Whether Tab can reach `control`, shown in `root`, now.
bool takesTab(const QWidget& control, const QWidget& root);

// Whether `control` holds its window's focus, whether that window is active or not: under a
// dialog, the focus the window gives back once the dialog closes.
bool holdsWindowFocus(const QWidget& control);

// The control after `from` and all it holds, in the Tab order of `root` as laid out, that Tab can
// reach now; else the nearest one before it; none when there is none. Backwards, the control
// before it, else the nearest one after it.
QWidget* stopBeside(QWidget& root, const QWidget& from, bool forward = true);

} // namespace tollenvane
