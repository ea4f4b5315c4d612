#include "app/deck/SwipeMotionCard.h"

#include "preview/Waiting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVariantAnimation>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr QSize faceSize{200, 120};
const QColor faceColor(0xFF, 0, 0);

class Face : public QWidget {
public:
    Face()
    {
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, faceColor);
        setPalette(palette);
    }
    QSize sizeHint() const override { return faceSize; }
};

class SwipeMotionCardTest : public ::testing::Test {
protected:
    SwipeMotionCardTest()
    {
        card.resize(800, 600);
        card.show();
    }

    // Presses in the middle of the face, moves by `by` in `steps` steps `stepMs` apart, releases.
    void drag(QPointF by, int steps = 10, qint64 stepMs = 200)
    {
        const QPointF start = QRectF(card.rect()).center();
        send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= steps; ++step) {
            send(QEvent::MouseMove, start + by * step / steps, Qt::NoButton, Qt::LeftButton,
                 step * stepMs);
        }
        send(QEvent::MouseButtonRelease, start + by, Qt::LeftButton, Qt::NoButton, steps * stepMs);
    }

    void send(QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
              qint64 atMs = 0)
    {
        QMouseEvent event(type, at, card.mapToGlobal(at), button, buttons, Qt::NoModifier);
        event.setTimestamp(static_cast<quint64>(clockMs + atMs));
        QCoreApplication::sendEvent(&card, &event);
        lastMs = clockMs + atMs;
    }

    void TearDown() override { clockMs = lastMs + 10'000; }

    static inline qint64 clockMs = 1'000;
    qint64 lastMs = 0;
    SwipeMotionCard card{new Face};
    QSignalSpy swiped{&card, &SwipeMotionCard::swiped};
    QSignalSpy finished{&card, &SwipeMotionCard::flightFinished};
};

// Whether any of the card's movements still runs: a flight that ended reports once it has.
bool moving(const SwipeMotionCard& card)
{
    const auto motions = card.findChildren<QVariantAnimation*>();
    return std::any_of(motions.begin(), motions.end(), [](const QVariantAnimation* motion) {
        return motion->state() == QAbstractAnimation::Running;
    });
}

TEST_F(SwipeMotionCardTest, SlowDragBelowThresholdSpringsBackAndDecidesNothing)
{
    drag({100, 0});
    EXPECT_TRUE(swiped.isEmpty());
    EXPECT_NE(card.offset(), QPointF());
    EXPECT_TRUE(test::processUntil([&] { return card.offset() == QPointF(); }));
    EXPECT_TRUE(swiped.isEmpty());
}

TEST_F(SwipeMotionCardTest, FlickPastTheProjectedThresholdDecides)
{
    // 60 points in 40 ms: 1500 points per second, far beyond 180 once projected.
    drag({-60, 0}, 4, 10);
    ASSERT_EQ(swiped.size(), 1);
    EXPECT_EQ(swiped.at(0).at(0).value<Decision>(), Decision::trash);
}

TEST_F(SwipeMotionCardTest, DecisiveDragWaitsForTheOwnerThenFliesOutAndReportsOnce)
{
    drag({150, 10});
    ASSERT_EQ(swiped.size(), 1);
    EXPECT_EQ(swiped.at(0).at(0).value<Decision>(), Decision::keep);
    EXPECT_EQ(card.offset(), QPointF(150, 10));

    // Leaning right with the keep badge over the displaced face.
    const QImage picture = card.grab().toImage();
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    picture.save(TOLLENVANE_SCREENSHOTS "/swipe-motion-card-keep.png");
    const QPoint faceCentre = card.rect().center() + QPoint(150, 10);
    const QColor besideBadge = picture.pixelColor(faceCentre + QPoint(0, 50));
    EXPECT_GT(besideBadge.red(), 200);
    EXPECT_LT(picture.pixelColor(faceCentre).red(), 150) << "the badge's dark box";
    EXPECT_NE(picture.pixelColor(card.rect().center() - QPoint(90, 0)), faceColor);

    card.setDecision(Decision::keep);
    card.setRequest(QUuid::createUuid());
    EXPECT_TRUE(test::processUntil([&] { return finished.size() == 1; }));
    EXPECT_TRUE(test::processUntil([&] { return !moving(card); }));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(card.offset(), QPointF(1000, 30));
    EXPECT_EQ(card.intent(), Decision::keep);
}

TEST_F(SwipeMotionCardTest, CancelledOrSupersededFlightsNeverReport)
{
    card.setDecision(Decision::later);
    card.setRequest(QUuid::createUuid());
    card.setRequest(std::nullopt);
    EXPECT_TRUE(test::processUntil([&] { return !moving(card); }));
    EXPECT_TRUE(finished.isEmpty());

    // Superseded in mid-flight: the card has left the middle, the flight has not ended.
    card.setRequest(QUuid::createUuid());
    ASSERT_TRUE(test::processUntil([&] { return card.awayFromMiddle(); }));
    ASSERT_TRUE(finished.isEmpty());
    card.setDecision(Decision::move);
    card.setRequest(QUuid::createUuid());
    EXPECT_TRUE(test::processUntil([&] { return finished.size() == 1; }));
    EXPECT_TRUE(test::processUntil([&] { return !moving(card); }));
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(card.offset(), QPointF(0, -900));
}

TEST_F(SwipeMotionCardTest, AnimationsOffMovesAtOnce)
{
    card.setAnimations(false);
    drag({0, -60});
    EXPECT_EQ(card.offset(), QPointF());
    EXPECT_TRUE(swiped.isEmpty());

    // A move springs back before the owner hears of it.
    drag({0, -150});
    EXPECT_EQ(card.offset(), QPointF());
    ASSERT_EQ(swiped.size(), 1);
    EXPECT_EQ(swiped.at(0).at(0).value<Decision>(), Decision::move);

    card.setDecision(Decision::trash);
    card.setRequest(QUuid::createUuid());
    EXPECT_EQ(card.offset(), QPointF(-1000, 30));
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(SwipeMotionCardTest, InactiveCardIgnoresDrags)
{
    card.setActive(false);
    drag({200, 0});
    EXPECT_EQ(card.offset(), QPointF());
    EXPECT_TRUE(swiped.isEmpty());
}

} // namespace
} // namespace tollenvane
