#pragma once

class QScrollArea;
class QWidget;

namespace tollenvane {

// Scrolls `area` so that `control`, out of sight, shows with some room around it as Qt gives; a
// control in a row of a list is found where it stands in the list's full stack, which the drawn
// list may compress. A control in sight is left where it is.
void scrollToShow(QScrollArea& area, QWidget& control);

} // namespace tollenvane
