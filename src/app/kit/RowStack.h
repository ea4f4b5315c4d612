#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tollenvane {

// Where each row of a list stands, one under the other with the same spacing between them, and
// which rows are in sight. A widget is at most QWIDGETSIZE_MAX tall: past that the list is drawn
// that tall and a pixel of scrolling moves the rows a little further, so the first row still
// starts at the top and the last one ends at the bottom. Adding or changing rows costs the rows
// after them, never a new pass over the whole list.
class RowStack {
public:
    RowStack(int spacing, int tallest);

    std::size_t size() const { return heights_.size(); }
    int spacing() const { return spacing_; }
    // The height the list is drawn, and its whole height.
    int height() const;
    std::int64_t fullHeight() const;
    int heightOf(std::size_t index) const { return heights_[index]; }

    void setSpacing(int spacing);
    void assign(std::vector<int> heights);
    void insert(std::size_t at, const std::vector<int>& heights);
    void remove(std::size_t at, std::size_t count);
    // Returns whether the height changed.
    bool setHeight(std::size_t index, int height);

    // The rows in sight of a view `viewHeight` tall whose top is at `viewTop` of the drawn list,
    // with where the first of them stands in the drawn list; the others follow it, each
    // `spacing` under the one before. At least one row, the nearest, when the view misses them.
    struct InSight {
        std::size_t first = 0;
        std::size_t end = 0;
        std::int64_t firstTop = 0;
    };
    InSight inSight(int viewTop, int viewHeight) const;
    // Where row `index` stands in the drawn list when `sight` is in view.
    std::int64_t topOf(std::size_t index, const InSight& sight) const;
    // Where row `index` starts in the full stack.
    std::int64_t fullTopOf(std::size_t index) const { return tops_[index]; }
    // How many rows start at or above `fullTop` of the full stack.
    std::size_t startedBy(std::int64_t fullTop) const;
    // How far through the full stack a view at `viewTop` of the drawn list is, and back.
    std::int64_t fullViewTop(int viewTop, int viewHeight) const;
    std::int64_t drawnViewTop(std::int64_t fullTop, int viewHeight) const;

private:
    // Where each row starts in the full stack from `from` on.
    void retop(std::size_t from);

    int spacing_;
    int tallest_;
    std::vector<int> heights_;
    // Where each row starts in the full stack, then where the stack ends plus one spacing.
    std::vector<std::int64_t> tops_{0};
};

} // namespace tollenvane
