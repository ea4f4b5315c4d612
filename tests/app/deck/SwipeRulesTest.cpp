#include "app/deck/SwipeRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace tollenvane {
namespace {

TEST(SwipeRules, DirectionIsHorizontalOnlyWhenStrictlyWider)
{
    EXPECT_EQ(decisionForDirection({101, 0}), Decision::keep);
    EXPECT_EQ(decisionForDirection({-101, 5}), Decision::trash);
    EXPECT_EQ(decisionForDirection({3, -101}), Decision::move);
    EXPECT_EQ(decisionForDirection({0, 101}), Decision::later);
    // Ties between the axes and the zero vector are vertical.
    EXPECT_EQ(decisionForDirection({120, -120}), Decision::move);
    EXPECT_EQ(decisionForDirection({-120, 120}), Decision::later);
    EXPECT_EQ(decisionForDirection({0, 0}), Decision::later);
}

TEST(SwipeRules, DistanceAndFlickThresholdsAreStrict)
{
    EXPECT_FALSE(isDecisiveDrag({100, 0}, {100, 0}));
    EXPECT_TRUE(isDecisiveDrag({101, 0}, {101, 0}));
    EXPECT_TRUE(isDecisiveDrag({0, -101}, {0, -101}));
    EXPECT_TRUE(isDecisiveDrag({-60, 0}, {-200, 0}));
    EXPECT_FALSE(isDecisiveDrag({-60, 0}, {-180, 0}));
    EXPECT_FALSE(isDecisiveDrag({40, 0}, {5000, 0}));
    EXPECT_TRUE(isDecisiveDrag({41, 30}, {181, 0}));
}

TEST(SwipeRules, MoveAndConfirmedTrashGoBackToTheMiddleOthersStay)
{
    EXPECT_EQ(dragOutcome({50, 0}, {50, 0}, false).decision, std::nullopt);
    EXPECT_TRUE(dragOutcome({50, 0}, {50, 0}, false).springsBack);

    const DragOutcome move = dragOutcome({0, -150}, {0, -150}, false);
    EXPECT_EQ(move.decision, Decision::move);
    EXPECT_TRUE(move.springsBack);

    EXPECT_TRUE(dragOutcome({-150, 0}, {-150, 0}, true).springsBack);
    const DragOutcome trash = dragOutcome({-150, 0}, {-150, 0}, false);
    EXPECT_EQ(trash.decision, Decision::trash);
    EXPECT_FALSE(trash.springsBack);
    EXPECT_FALSE(dragOutcome({0, 150}, {0, 150}, true).springsBack);
}

TEST(SwipeRules, VelocityComesFromTheLastTenthOfASecondAndProjectsHalfASecond)
{
    const std::vector<DragSample> samples{
        {{-900, 0}, 0}, {{0, 0}, 500}, {{50, 10}, 550}, {{100, 20}, 600}};
    const QPointF velocity = dragVelocity(samples);
    EXPECT_DOUBLE_EQ(velocity.x(), 1000.0);
    EXPECT_DOUBLE_EQ(velocity.y(), 200.0);
    EXPECT_EQ(predictedEndTranslation({60, 0}, velocity), QPointF(560, 100));

    EXPECT_EQ(dragVelocity(std::vector<DragSample>{{{0, 0}, 10}, {{30, 0}, 10}}), QPointF());
    EXPECT_EQ(dragVelocity({}), QPointF());
}

TEST(SwipeRules, LeanAndBadgeFollowTheOffset)
{
    EXPECT_DOUBLE_EQ(leanDegrees({130, 40}), 2.0);
    EXPECT_DOUBLE_EQ(leanDegrees({-130, 0}), -2.0);
    EXPECT_EQ(badgeOpacity({15, -15}), 0.0);
    EXPECT_DOUBLE_EQ(badgeOpacity({16, 0}), 0.16);
    EXPECT_DOUBLE_EQ(badgeOpacity({0, -50}), 0.5);
    EXPECT_EQ(badgeOpacity({100, 0}), 1.0);
    EXPECT_EQ(badgeOpacity({-1000, 30}), 1.0);
}

TEST(SwipeRules, EveryFlightPointsAtItsOwnDecisionWithItsOwnBadge)
{
    for (const Decision decision : allDecisions) {
        EXPECT_EQ(decisionForDirection(flyOutTarget(decision)), decision);
        EXPECT_FALSE(badgeTextKey(decision).empty());
        EXPECT_TRUE(badgeColor(decision, ColorScheme::dark).isValid());
    }
    EXPECT_EQ(badgeColor(Decision::move, ColorScheme::light),
              Theme::orange.resolved(ColorScheme::light));
    const QColor keep = badgeColor(Decision::keep, ColorScheme::light);
    EXPECT_GT(keep.green(), keep.red());
    const QColor trash = badgeColor(Decision::trash, ColorScheme::dark);
    EXPECT_GT(trash.red(), trash.blue());
    const QColor later = badgeColor(Decision::later, ColorScheme::dark);
    EXPECT_GT(later.blue(), later.red());
}

} // namespace
} // namespace tollenvane
