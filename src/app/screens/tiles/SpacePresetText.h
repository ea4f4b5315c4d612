#pragma once

#include "core/insights/SpacePreset.h"

#include <QString>

namespace tollenvane {

// The name and the one-line explanation of a ready-made selection, in the current language.
QString presetTitle(SpacePreset preset);
QString presetExplanation(SpacePreset preset);

} // namespace tollenvane
