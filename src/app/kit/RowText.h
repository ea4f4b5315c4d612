#pragma once

#include <QString>

class QWidget;

namespace tollenvane {

// The texts `row` shows, in the order it lays them out, that are not `name` nor the titles of its
// controls, one after the other: what assistive technology reads, after the item's name, of a row
// that takes the focus itself, as it reads them. Hidden texts are left out.
QString shownRowText(QWidget& row, const QString& name);

} // namespace tollenvane
