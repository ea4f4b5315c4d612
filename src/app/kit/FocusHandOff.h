#pragma once

#include <initializer_list>

class QWidget;

namespace tollenvane {

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
