#pragma once

class QString;
class QWidget;

namespace tollenvane {

// A control that has a key of its own: read out by its title, its key told as its description,
// while its hover help, `help`, shows both. Each text is told to assistive technology only when it
// changes.
void setKeyedControlText(QWidget& control, const QString& title, const QString& key,
                         const QString& help);

} // namespace tollenvane
