#include "core/storage/TreemapLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <random>
#include <vector>

namespace tollenvane {
namespace {

using TreemapLayout::layout;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

void expectRects(const std::vector<TreemapRect>& actual, const std::vector<TreemapRect>& expected,
                 double tolerance)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(actual[i].index, expected[i].index);
        EXPECT_NEAR(actual[i].x, expected[i].x, tolerance);
        EXPECT_NEAR(actual[i].y, expected[i].y, tolerance);
        EXPECT_NEAR(actual[i].width, expected[i].width, tolerance);
        EXPECT_NEAR(actual[i].height, expected[i].height, tolerance);
    }
}

double overlap(const TreemapRect& a, const TreemapRect& b)
{
    const double across = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const double down = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return across > 0 && down > 0 ? across * down : 0;
}

// Lays `weights` out and checks what holds of every layout: one tile per finite positive
// weight, each inside the area, no two overlapping, each covering its weight's share of the
// area, and all of them together the whole area.
std::vector<TreemapRect> checkedLayout(const std::vector<double>& weights, double width,
                                       double height)
{
    const std::vector<TreemapRect> rects = layout(weights, width, height);

    std::vector<std::size_t> counted;
    long double total = 0; // wide enough for weights whose double sum overflows
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (std::isfinite(weights[i]) && weights[i] > 0) {
            counted.push_back(i);
            total += weights[i];
        }
    }
    std::vector<std::size_t> indices;
    for (const TreemapRect& rect : rects) {
        indices.push_back(rect.index);
    }
    std::ranges::sort(indices);
    if (indices != counted) {
        ADD_FAILURE() << "the tiles do not stand for exactly the finite positive weights";
        return rects;
    }

    constexpr double tolerance = 1e-9;
    const double area = width * height;
    double covered = 0;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TreemapRect& rect = rects[i];
        SCOPED_TRACE(rect.index);
        EXPECT_GE(rect.width, 0);
        EXPECT_GE(rect.height, 0);
        EXPECT_GE(rect.x, -tolerance * width);
        EXPECT_GE(rect.y, -tolerance * height);
        EXPECT_LE(rect.x + rect.width, width * (1 + tolerance));
        EXPECT_LE(rect.y + rect.height, height * (1 + tolerance));
        const auto share = static_cast<double>(weights[rect.index] / total);
        EXPECT_NEAR(rect.width * rect.height / area, share, tolerance);
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            EXPECT_LE(overlap(rect, rects[j]), tolerance * area) << "overlaps " << rects[j].index;
        }
        covered += rect.width * rect.height;
    }
    if (!rects.empty()) {
        EXPECT_NEAR(covered / area, 1, tolerance);
    }
    return rects;
}

TEST(TreemapLayout, KnownLayoutsOfStripsNearestToSquare)
{
    expectRects(checkedLayout({6, 6, 4, 3, 2, 2, 1}, 6, 4),
                {{0, 0, 0, 3, 2},
                 {1, 0, 2, 3, 2},
                 {2, 3, 0, 1.7143, 2.3333},
                 {3, 4.7143, 0, 1.2857, 2.3333},
                 {4, 3, 2.3333, 1.2, 1.6667},
                 {5, 4.2, 2.3333, 1.2, 1.6667},
                 {6, 5.4, 2.3333, 0.6, 1.6667}},
                0.00005);
    expectRects(checkedLayout({0, 42}, 640, 480), {{1, 0, 0, 640, 480}}, 1e-9);
    // Equal weights come in input order.
    expectRects(
        checkedLayout({5, 5, 5, 5}, 400, 100),
        {{0, 0, 0, 100, 100}, {1, 100, 0, 100, 100}, {2, 200, 0, 100, 100}, {3, 300, 0, 100, 100}},
        0);
    // The first strip is a column unless the area is taller than wide.
    const std::vector<double> weights{3, 2, 1};
    expectRects({checkedLayout(weights, 300, 100).front()}, {{0, 0, 0, 150, 100}}, 0);
    expectRects({checkedLayout(weights, 100, 300).front()}, {{0, 0, 0, 100, 150}}, 0);
    expectRects(checkedLayout({3, 1}, 100, 100), {{0, 0, 0, 75, 100}, {1, 75, 0, 25, 100}}, 0);
    // A strip takes an item that keeps its worst ratio: one 2 x 1 tile along a side of 2 is as
    // far from square as two of them stacked.
    expectRects(checkedLayout({1, 1}, 2, 2), {{0, 0, 0, 2, 1}, {1, 0, 1, 2, 1}}, 0);
}

TEST(TreemapLayout, OnlyFinitePositiveWeightsInAnAreaGetTilesAndKeepTheirIndices)
{
    expectRects(checkedLayout({1, 3, 0, nan, 2}, 300, 100),
                {{1, 0, 0, 150, 100}, {4, 150, 0, 100, 100}, {0, 250, 0, 50, 100}}, 0.00005);

    const auto rects = checkedLayout({-5, 4, nan, infinity, 4, 0, 2, -infinity, -0.0}, 80, 50);
    ASSERT_EQ(rects.size(), 3U);
    EXPECT_EQ(rects[0].index, 1U);
    EXPECT_EQ(rects[1].index, 4U);
    EXPECT_EQ(rects[2].index, 6U);

    EXPECT_TRUE(layout({}, 10, 10).empty());
    const std::vector<double> uncounted{0, -0.0, -1, infinity, -infinity, nan};
    EXPECT_TRUE(layout(uncounted, 10, 10).empty());
    const std::vector<double> weights{1, 2};
    for (const double side : {0.0, -0.0, -3.0, -infinity, nan}) {
        SCOPED_TRACE(side);
        EXPECT_TRUE(layout(weights, side, 10).empty());
        EXPECT_TRUE(layout(weights, 10, side).empty());
    }
}

TEST(TreemapLayout, WeightsWhoseSumOverflowsKeepTheirShares)
{
    constexpr double largest = std::numeric_limits<double>::max();
    const auto rects = checkedLayout({largest, largest / 2, largest}, 100, 100);
    ASSERT_EQ(rects.size(), 3U);
    EXPECT_NEAR(rects[2].width * rects[2].height, 2000, 1e-6);
}

TEST(TreemapLayout, RandomWeightsTileTheAreaInProportion)
{
    std::mt19937 random(0x7e3a11);
    std::uniform_int_distribution<std::size_t> count(1, 33);
    std::uniform_int_distribution<int> kind(0, 11);
    std::uniform_real_distribution<double> magnitude(0, 12);
    std::uniform_real_distribution<double> side(1, 2000);
    // Uncounted weights, the smallest counted one, and ties.
    const std::array<double, 5> special{0, nan, -1, std::numeric_limits<double>::denorm_min(),
                                        1'000};
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        std::vector<double> weights(count(random));
        for (double& weight : weights) {
            const auto which = static_cast<std::size_t>(kind(random));
            weight = which < special.size() ? special[which]
                                            : std::round(std::pow(10.0, magnitude(random)));
        }
        checkedLayout(weights, side(random), side(random));
    }
}

} // namespace
} // namespace tollenvane
