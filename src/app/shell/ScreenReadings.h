#pragma once

#include <QAccessible>
#include <vector>

namespace tollenvane {

// The readings for assistive technology that the screens add to the design's own: the deck and
// its cards, the folder map and its blocks.
std::vector<QAccessible::InterfaceFactory> screenReadings();

} // namespace tollenvane
