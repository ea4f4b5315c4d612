#pragma once

class QComboBox;
class QString;

namespace tollenvane {

// A picker heard by `label` before the entry it shows: the label beside it, or the one its place
// on the page says to a sighted user.
QComboBox* newPicker(const QString& label);

} // namespace tollenvane
