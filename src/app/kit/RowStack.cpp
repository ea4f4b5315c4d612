#include "app/kit/RowStack.h"

#include <algorithm>

namespace tollenvane {

RowStack::RowStack(int spacing, int tallest)
    : spacing_(spacing)
    , tallest_(tallest)
{}

std::int64_t RowStack::fullHeight() const
{
    return heights_.empty() ? 0 : tops_.back() - spacing_;
}

int RowStack::height() const
{
    return static_cast<int>(std::min<std::int64_t>(fullHeight(), tallest_));
}

void RowStack::setSpacing(int spacing)
{
    spacing_ = spacing;
    retop(0);
}

void RowStack::assign(std::vector<int> heights)
{
    heights_ = std::move(heights);
    retop(0);
}

void RowStack::insert(std::size_t at, const std::vector<int>& heights)
{
    at = std::min(at, heights_.size());
    heights_.insert(heights_.begin() + static_cast<std::ptrdiff_t>(at), heights.begin(),
                    heights.end());
    retop(at);
}

void RowStack::remove(std::size_t at, std::size_t count)
{
    at = std::min(at, heights_.size());
    count = std::min(count, heights_.size() - at);
    const auto from = heights_.begin() + static_cast<std::ptrdiff_t>(at);
    heights_.erase(from, from + static_cast<std::ptrdiff_t>(count));
    retop(at);
}

bool RowStack::setHeight(std::size_t index, int height)
{
    if (heights_[index] == height) {
        return false;
    }
    heights_[index] = height;
    retop(index);
    return true;
}

void RowStack::retop(std::size_t from)
{
    tops_.resize(heights_.size() + 1);
    std::int64_t top = tops_[from];
    for (std::size_t index = from; index < heights_.size(); ++index) {
        tops_[index] = top;
        top += heights_[index] + spacing_;
    }
    tops_.back() = top;
}

std::int64_t RowStack::fullViewTop(int viewTop, int viewHeight) const
{
    // Within the drawn list the view goes as far through the full stack as through the drawn
    // one; above its top and past its end it moves with the page.
    const std::int64_t full = fullHeight();
    const std::int64_t drawnTravel = height() - std::max(viewHeight, 0);
    if (viewTop <= 0 || full <= height() || drawnTravel <= 0) {
        return viewTop;
    }
    const std::int64_t within = std::min<std::int64_t>(viewTop, drawnTravel);
    return within * (full - viewHeight) / drawnTravel + (viewTop - within);
}

std::int64_t RowStack::drawnViewTop(std::int64_t fullTop, int viewHeight) const
{
    const std::int64_t full = fullHeight();
    const std::int64_t drawnTravel = height() - std::max(viewHeight, 0);
    const std::int64_t fullTravel = full - viewHeight;
    if (fullTop <= 0 || full <= height() || drawnTravel <= 0) {
        return fullTop;
    }
    if (fullTop > fullTravel) {
        return drawnTravel + (fullTop - fullTravel);
    }
    // Rounded up, so that the view reaches at least as far as asked.
    return (fullTop * drawnTravel + fullTravel - 1) / fullTravel;
}

RowStack::InSight RowStack::inSight(int viewTop, int viewHeight) const
{
    if (heights_.empty()) {
        return {};
    }
    const std::int64_t fullTop = fullViewTop(viewTop, viewHeight);
    const auto after = [this](std::int64_t at) {
        return static_cast<std::size_t>(std::upper_bound(tops_.begin(), tops_.end() - 1, at) -
                                        tops_.begin());
    };
    const std::size_t first = std::max<std::size_t>(after(fullTop), 1) - 1;
    const std::size_t end = std::max(after(fullTop + std::max(viewHeight, 1) - 1), first + 1);
    return {
        .first = first, .end = std::min(end, size()), .firstTop = viewTop + tops_[first] - fullTop};
}

std::size_t RowStack::startedBy(std::int64_t fullTop) const
{
    return static_cast<std::size_t>(std::upper_bound(tops_.begin(), tops_.end() - 1, fullTop) -
                                    tops_.begin());
}

std::int64_t RowStack::topOf(std::size_t index, const InSight& sight) const
{
    return sight.firstTop + tops_[index] - tops_[sight.first];
}

} // namespace tollenvane
