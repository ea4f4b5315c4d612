#pragma once

#include <QString>

class QWidget;

namespace tollenvane {

// The texts `row` shows, in the order it lays them out, that are not `name` nor the titles of its
// controls, one after the other: what assistive technology reads, after the item's name, of a row
// that takes the focus itself, as it reads them. Hidden texts are left out.
QString shownRowText(QWidget& row, const QString& name);

// Tells assistive technology which item `row` shows, whose name is `name`: each control of the
// row is described by it, after the control's own name, since every row offers the same
// controls. A row that stands in for its controls is named by it and described by what it shows
// of the item (a folder's state, a file's place), and is nameless again once its controls take
// the focus.
void tellRowItem(QWidget& row, const QString& name);

} // namespace tollenvane
