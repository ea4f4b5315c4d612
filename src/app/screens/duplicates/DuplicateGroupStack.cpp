#include "app/screens/duplicates/DuplicateGroupStack.h"

#include <algorithm>

namespace tollenvane {

DuplicateGroupStack::DuplicateGroupStack(const std::vector<int>& heights, int spacing, int tallest)
    : spacing_(spacing)
{
    tops_.reserve(heights.size() + 1);
    std::int64_t top = 0;
    for (const int height : heights) {
        tops_.push_back(top);
        top += height + spacing;
    }
    const std::int64_t full = heights.empty() ? 0 : top - spacing;
    tops_.push_back(full + spacing);
    height_ = static_cast<int>(std::min<std::int64_t>(full, tallest));
}

DuplicateGroupStack::InSight DuplicateGroupStack::inSight(int viewTop, int viewHeight) const
{
    if (size() == 0) {
        return {};
    }
    const std::int64_t full = tops_.back() - spacing_;
    // Within the drawn list the view goes as far through the full stack as through the drawn
    // one; above its top and past its end it moves with the page.
    std::int64_t fullTop = viewTop;
    const std::int64_t drawnTravel = height_ - std::max(viewHeight, 0);
    if (viewTop > 0 && full > height_ && drawnTravel > 0) {
        const std::int64_t within = std::min<std::int64_t>(viewTop, drawnTravel);
        fullTop = within * (full - viewHeight) / drawnTravel + (viewTop - within);
    }
    const auto after = [this](std::int64_t at) {
        return static_cast<std::size_t>(std::upper_bound(tops_.begin(), tops_.end() - 1, at) -
                                        tops_.begin());
    };
    const std::size_t first = std::max<std::size_t>(after(fullTop), 1) - 1;
    const std::size_t end = std::max(after(fullTop + viewHeight - 1), first + 1);
    return {
        .first = first, .end = std::min(end, size()), .firstTop = viewTop + tops_[first] - fullTop};
}

std::int64_t DuplicateGroupStack::topOf(std::size_t index, const InSight& sight) const
{
    return sight.firstTop + tops_[index] - tops_[sight.first];
}

} // namespace tollenvane
