#include "core/storage/TreemapLayout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace tollenvane::TreemapLayout {

namespace {

// The smallest divisor taken for a strip's thickness or a free side, so that a degenerate
// strip gives thin tiles instead of infinite ones.
constexpr double eps = 0.000001;

struct Item {
    std::size_t index = 0;
    double area = 0; // holds the weight until the total is known
};

// Strips are runs of consecutive items in sorted order, so a view is enough to hold one.
using Strip = std::span<const Item>;

// The room that no strip holds yet.
struct FreeArea {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

double atLeastEps(double value)
{
    return value <= eps ? eps : value;
}

double smaller(double a, double b)
{
    return a < b ? a : b;
}

double sum(Strip strip)
{
    double total = 0;
    for (const Item& item : strip) {
        total += item.area;
    }
    return total;
}

// The worst aspect ratio among the tiles of `strip` when laid along a side of length `side`;
// infinite when there is nothing to lay or no room to lay it in.
double worst(Strip strip, double side)
{
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (strip.empty()) {
        return infinity;
    }
    double s = 0;
    double rmin = strip.front().area;
    double rmax = rmin;
    for (const Item& item : strip) {
        s += item.area;
        rmin = item.area < rmin ? item.area : rmin;
        rmax = item.area > rmax ? item.area : rmax;
    }
    if (!(side > 0) || !(rmin > 0)) {
        return infinity;
    }
    const double a = side * side * rmax / (s * s);
    const double b = s * s / (side * side * rmin);
    return a <= b ? b : a;
}

// Lays `strip` out as a column at the left of the free area when that is at least as wide as
// tall, else as a row along its top, and takes the strip's thickness off the free area.
void place(Strip strip, FreeArea& free, std::vector<TreemapRect>& rects)
{
    const bool column = free.height <= free.width;
    const double freeLength = column ? free.height : free.width;
    double& freeThickness = column ? free.width : free.height;
    double& origin = column ? free.x : free.y;

    const double thickness = smaller(sum(strip) / atLeastEps(freeLength), freeThickness);
    double position = column ? free.y : free.x;
    for (const Item& item : strip) {
        const double length = item.area / atLeastEps(thickness);
        rects.push_back(column ? TreemapRect{item.index, origin, position, thickness, length}
                               : TreemapRect{item.index, position, origin, length, thickness});
        position += length;
    }
    origin += thickness;
    const double left = freeThickness - thickness;
    freeThickness = left < 0 ? 0 : left;
}

} // namespace

std::vector<TreemapRect> layout(std::span<const double> weights, double width, double height)
{
    std::vector<Item> items;
    items.reserve(weights.size());
    for (std::size_t index = 0; index < weights.size(); ++index) {
        if (std::isfinite(weights[index]) && weights[index] > 0) {
            items.push_back({index, weights[index]});
        }
    }
    // Ties go by input position, which keeps equal weights in input order without the buffer
    // that std::stable_sort would allocate.
    std::ranges::sort(items, [](const Item& a, const Item& b) {
        return a.area != b.area ? a.area > b.area : a.index < b.index;
    });
    if (items.empty()) {
        return {};
    }

    double total = sum(items);
    // Weights near the top of the range can add up to infinity, which would leave every tile
    // without area; scaling them all by a power of two is exact and keeps each one's share.
    if (std::isinf(total)) {
        for (Item& item : items) {
            item.area = std::ldexp(item.area, -64);
        }
        total = sum(items);
    }
    if (!(total > 0) || !(width > 0) || !(height > 0)) {
        return {};
    }
    for (Item& item : items) {
        item.area = height * (width * (item.area / total));
    }

    FreeArea free{0, 0, width, height};
    std::vector<TreemapRect> rects;
    rects.reserve(items.size());
    const Strip all(items);
    std::size_t start = 0;
    for (std::size_t next = start + 1; next < all.size(); ++next) {
        const double side = free.height < free.width ? free.height : free.width;
        const Strip strip = all.subspan(start, next - start);
        // An item that leaves the worst ratio as it was (or NaN) joins the strip.
        if (worst(strip, side) < worst(all.subspan(start, strip.size() + 1), side)) {
            place(strip, free, rects);
            start = next;
        }
    }
    place(all.subspan(start), free, rects);
    return rects;
}

} // namespace tollenvane::TreemapLayout
