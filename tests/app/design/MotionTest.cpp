#include "app/design/MotionAnimator.h"
#include "preview/Waiting.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVariantAnimation>

namespace tollenvane {
namespace {

TEST(Motion, CurvesStartAtRestEndAtTargetAndSpringsSettleInTime)
{
    const Motion easeOut = Motion::easeOut(0.24);
    EXPECT_EQ(easeOut.durationMs, 240);
    EXPECT_DOUBLE_EQ(easeOut.curve.valueForProgress(0.0), 0.0);
    EXPECT_GT(easeOut.curve.valueForProgress(0.5), 0.6);
    EXPECT_NEAR(easeOut.curve.valueForProgress(1.0), 1.0, 1e-9);

    EXPECT_NEAR(Motion::deckSpring().durationMs, 312, 3);
    EXPECT_NEAR(Motion::tutorialSpring().durationMs, 618, 3);
    for (const Motion& spring : {Motion::deckSpring(), Motion::tutorialSpring()}) {
        EXPECT_NEAR(spring.curve.valueForProgress(0.0), 0.0, 1e-9);
        EXPECT_DOUBLE_EQ(spring.curve.valueForProgress(1.0), 1.0);
        EXPECT_NEAR(spring.curve.valueForProgress(0.99), 1.0, 2e-3);
    }
    // Underdamped: the spring passes its target before it rests.
    EXPECT_GT(springPosition(0.375, 0.45, 0.8), 1.0);
}

TEST(MotionAnimator, AnimationsOffAppliesAtOnceAndFinishesWithoutWaiting)
{
    QObject target;
    target.setProperty("offset", 0.0);
    int finished = 0;
    EXPECT_EQ(animateProperty(target, "offset", 120.0, Motion::deckSpring(), Animations::off,
                              [&finished] { ++finished; }),
              nullptr);
    EXPECT_EQ(target.property("offset").toDouble(), 120.0);
    EXPECT_EQ(finished, 1);

    QList<double> steps;
    animateValue(target, 0.0, 1.0, Motion::easeOut(0.24), Animations::off,
                 [&steps](const QVariant& value) { steps.append(value.toDouble()); });
    EXPECT_EQ(steps, QList<double>{1.0});
}

TEST(MotionAnimator, AnimationsOnMoveThroughIntermediateValuesToTheEnd)
{
    QObject target;
    target.setProperty("offset", 0.0);
    int finished = 0;
    QVariantAnimation* running = animateProperty(target, "offset", 100.0, Motion::easeOut(0.1),
                                                 Animations::on, [&finished] { ++finished; });
    ASSERT_NE(running, nullptr);
    EXPECT_LT(target.property("offset").toDouble(), 100.0);
    EXPECT_TRUE(test::processUntil([&] { return finished == 1; }, 2000));
    EXPECT_EQ(target.property("offset").toDouble(), 100.0);
}

} // namespace
} // namespace tollenvane
