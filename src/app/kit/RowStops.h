#pragma once

#include <vector>

class QWidget;

namespace tollenvane {

// The controls of a list's row that Tab visits while the row is current, in that order: the row
// itself first when it takes the focus.
std::vector<QWidget*> rowStops(QWidget& row);

// Puts the stops of `row` in the Tab chain, or keeps them out of it. Kept out, a control still
// takes the focus that a click gives it, so that the row it stands in becomes current.
void chainRowStops(QWidget& row, bool chained);

// Whether `control` moves inside itself with the arrows, Page Up, Page Down, Home and End: a
// text field, a picker, a slider.
bool usesNavigationKeys(const QWidget& control);

} // namespace tollenvane
