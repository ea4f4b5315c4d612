#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tollenvane {

// Where each group's panel stands in the list, one under the other, and which of them are in
// sight. A widget is at most QWIDGETSIZE_MAX tall, less than a hundred thousand groups: past that
// the list is drawn that tall and a pixel of scrolling moves the groups a little further, so the
// first group still starts at the top and the last one ends at the bottom.
class DuplicateGroupStack {
public:
    DuplicateGroupStack() = default;
    DuplicateGroupStack(const std::vector<int>& heights, int spacing, int tallest);

    std::size_t size() const { return tops_.empty() ? 0 : tops_.size() - 1; }
    // The height the list is drawn.
    int height() const { return height_; }

    // The groups in sight of a view `viewHeight` tall whose top is at `viewTop` of the list, with
    // where the first of them stands in the list; the others follow it, each `spacing` under the
    // one before.
    struct InSight {
        std::size_t first = 0;
        std::size_t end = 0;
        std::int64_t firstTop = 0;
    };
    InSight inSight(int viewTop, int viewHeight) const;
    // Where group `index` stands when `sight` is in view.
    std::int64_t topOf(std::size_t index, const InSight& sight) const;

private:
    // Where each group starts in the full stack, then where the stack ends.
    std::vector<std::int64_t> tops_;
    int spacing_ = 0;
    int height_ = 0;
};

} // namespace tollenvane
