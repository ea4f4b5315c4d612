#pragma once

#include "app/design/Theme.h"

#include <QPalette>

namespace tollenvane {

// The widget palette drawn from the tokens, so standard widgets match the painted ones.
QPalette themePalette(ColorScheme scheme);

} // namespace tollenvane
