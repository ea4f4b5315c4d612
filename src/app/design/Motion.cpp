#include "app/design/Motion.h"

#include <QPointF>
#include <cmath>
#include <numbers>

namespace tollenvane {

namespace {

constexpr double restThreshold = 1e-3;

constexpr double deckResponse = 0.25;
constexpr double deckDamping = 0.88;
constexpr double tutorialResponse = 0.45;
constexpr double tutorialDamping = 0.8;

// A custom easing curve is a plain function pointer: one per spring, progress being the
// fraction of the settling time.
template <double response, double damping>
qreal springCurve(qreal progress)
{
    if (progress >= 1.0) {
        return 1.0;
    }
    return springPosition(progress * springSettlingSeconds(response, damping), response, damping);
}

template <double response, double damping>
Motion spring()
{
    QEasingCurve curve;
    curve.setCustomType(&springCurve<response, damping>);
    return Motion{curve,
                  static_cast<int>(std::lround(springSettlingSeconds(response, damping) * 1000.0))};
}

} // namespace

double springPosition(double seconds, double response, double damping)
{
    const double omega = 2.0 * std::numbers::pi / response;
    const double dampedOmega = omega * std::sqrt(1.0 - damping * damping);
    const double decay = damping * omega;
    return 1.0 -
           std::exp(-decay * seconds) * (std::cos(dampedOmega * seconds) +
                                         decay / dampedOmega * std::sin(dampedOmega * seconds));
}

double springSettlingSeconds(double response, double damping)
{
    const double omega = 2.0 * std::numbers::pi / response;
    return std::log(1.0 / restThreshold) / (damping * omega);
}

Motion Motion::easeOut(double seconds)
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
    return Motion{curve, static_cast<int>(std::lround(seconds * 1000.0))};
}

Motion Motion::deckSpring()
{
    return spring<deckResponse, deckDamping>();
}

Motion Motion::tutorialSpring()
{
    return spring<tutorialResponse, tutorialDamping>();
}

} // namespace tollenvane
