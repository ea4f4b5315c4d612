#pragma once

#include <cstddef>

namespace tollenvane {

// One tile of a treemap, in the units of the area it was laid out in, origin at the top left.
struct TreemapRect {
    // Position in the input list of the weight this tile stands for.
    std::size_t index = 0;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool operator==(const TreemapRect&) const = default;
};

} // namespace tollenvane
