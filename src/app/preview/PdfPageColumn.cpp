#include "app/preview/PdfPageColumn.h"

#include "app/preview/PdfThumbnail.h"

#include <algorithm>
#include <ranges>

namespace tollenvane {

PdfPageColumn::PdfPageColumn(const std::vector<QSizeF>& pagePoints)
{
    sizes_.reserve(pagePoints.size());
    tops_.reserve(pagePoints.size());
    height_ = gap;
    for (const QSizeF& points : pagePoints) {
        const QSize size = pdfReadingSize(points);
        sizes_.push_back(size);
        tops_.push_back(height_);
        height_ += size.height() + gap;
        width_ = std::max(width_, size.width() + 2 * gap);
    }
}

QRect PdfPageColumn::page(int index, int width) const
{
    const QSize size = sizes_.at(static_cast<std::size_t>(index));
    return {(std::max(width, width_) - size.width()) / 2, tops_.at(static_cast<std::size_t>(index)),
            size.width(), size.height()};
}

std::optional<std::pair<int, int>> PdfPageColumn::pagesWithin(int top, int height) const
{
    const auto at = [](int index) { return static_cast<std::size_t>(index); };
    // The first page from `from` on for which `holds` no longer does; it holds for a run of pages
    // from `from`, so the search halves and a long document costs nothing more to scroll.
    const auto firstPast = [this](int from, const auto& holds) {
        const auto indices = std::views::iota(from, count());
        const auto found = std::ranges::partition_point(indices, holds);
        return found == indices.end() ? count() : *found;
    };
    const int first = firstPast(
        0, [&](int index) { return tops_[at(index)] + sizes_[at(index)].height() <= top; });
    const int end = firstPast(first, [&](int index) { return tops_[at(index)] < top + height; });
    if (first >= end) {
        return std::nullopt;
    }
    return std::pair{first, end - 1};
}

int PdfPageColumn::pageAt(int top, int height) const
{
    const int middle = top + height / 2;
    const auto indices = std::views::iota(0, count());
    const auto below = std::ranges::partition_point(indices, [&](int index) {
        const auto at = static_cast<std::size_t>(index);
        return tops_[at] + sizes_[at].height() <= middle;
    });
    return below == indices.end() ? std::max(0, count() - 1) : *below;
}

} // namespace tollenvane
