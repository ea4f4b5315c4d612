#pragma once

#include <vector>

class QWidget;

namespace tollenvane {

// Puts the controls under `root` in the Tab order in which the page lays them out: each layout's
// items in turn (a grid row by row), then children outside any layout, in the order they came.
// Qt's own order is that of creation, which rows made on a later refresh break.
void orderTabsAsLaidOut(QWidget& root);
// The controls under `root` that Tab visits, in that order.
std::vector<QWidget*> tabStopsAsLaidOut(QWidget& root);
// Every widget under `root`, in that order.
std::vector<QWidget*> widgetsAsLaidOut(QWidget& root);

// The first control under `root`, in that order, that Tab can reach now; none when there is none.
QWidget* firstTabStop(QWidget& root);

} // namespace tollenvane
