#pragma once

#include <cstdint>

namespace tollenvane {

// A number of files and the sum of their sizes.
struct FileTally {
    std::int64_t count = 0;
    std::int64_t bytes = 0;

    // `direction` is +1 to count a file in, -1 to take it out.
    void apply(std::int64_t direction, std::int64_t size)
    {
        count += direction;
        bytes += direction * size;
    }

    bool operator==(const FileTally&) const = default;
};

} // namespace tollenvane
