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

// Lets `row`, unless it is a control itself, take the focus while none of its controls can (all
// hidden or disabled, or none at all), and only then, in the Tab chain or kept out of it as its
// controls are: so that every row is reached, and a row with a control to act on is entered on
// it.
void standInForControls(QWidget& row);
// Whether `row` takes the focus itself in place of its controls.
bool standsIn(const QWidget& row);
// Whether `row` is one that takes the focus in place of its controls once none can, rather than
// a control of its own.
bool canStandIn(const QWidget& row);

// Whether `control` moves inside itself with the arrows, Page Up, Page Down, Home and End: a
// text field, a picker, a slider.
bool usesNavigationKeys(const QWidget& control);

} // namespace tollenvane
