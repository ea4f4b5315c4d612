#pragma once

#include "core/storage/TreemapRect.h"

#include <span>
#include <vector>

// Squarified treemaps: tiles are packed in strips along the shorter side of the space still
// free, and a strip takes one more tile only while that does not make its worst aspect ratio
// grow, so that tiles stay as close to squares as their sizes allow.
namespace tollenvane::TreemapLayout {

// Divides a `width` x `height` area into one rectangle per finite positive weight, each with an
// area proportional to its weight; zero, negative, infinite and NaN weights get none. The
// rectangles come strip by strip, largest weight first (equal weights in input order). Empty
// when no weight counts or when the width or the height is not positive (NaN included).
std::vector<TreemapRect> layout(std::span<const double> weights, double width, double height);

} // namespace tollenvane::TreemapLayout
