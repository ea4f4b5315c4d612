#pragma once

#include <QRect>
#include <QSizeF>
#include <optional>
#include <utility>
#include <vector>

namespace tollenvane {

// Where each page of a document lies in the full preview: one under the other at its reading
// size, a gap around each, centred in the width given.
class PdfPageColumn {
public:
    static constexpr int gap = 16;

    explicit PdfPageColumn(const std::vector<QSizeF>& pagePoints);

    int count() const { return static_cast<int>(sizes_.size()); }
    // The whole column, gaps included.
    QSize size() const { return {width_, height_}; }
    // Page `index` when the column is shown `width` wide, from the column's top.
    QRect page(int index, int width) const;
    // The first and last pages at least partly between `top` and `top + height`.
    std::optional<std::pair<int, int>> pagesWithin(int top, int height) const;
    // The page a reader is on in the view from `top`, `height` tall: the one across its middle,
    // or below the gap there; 0 in an empty column.
    int pageAt(int top, int height) const;

private:
    std::vector<QSize> sizes_;
    std::vector<int> tops_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace tollenvane
