#pragma once

#include "core/insights/FileTally.h"

#include <QString>

namespace tollenvane {

// "12 fichiers · 3,4 Go": the count and the size of a tally on one line.
QString tallyText(const FileTally& tally);

} // namespace tollenvane
