#include "app/deck/SwipeRules.h"

#include <algorithm>
#include <cmath>

namespace tollenvane {

namespace {

constexpr double decisiveDistance = 100.0;
constexpr double flickMinimumDistance = 40.0;
constexpr double flickPredictedDistance = 180.0;
constexpr qint64 velocityWindowMs = 100;
// How far ahead a release velocity is projected, a deceleration close to the platform's.
constexpr double projectionSeconds = 0.5;
constexpr double leanDivisor = 65.0;
constexpr double badgeHiddenUpTo = 15.0;
constexpr double badgeOpaqueFrom = 100.0;

double largerAxis(QPointF vector)
{
    return std::max(std::abs(vector.x()), std::abs(vector.y()));
}

} // namespace

Decision decisionForDirection(QPointF vector)
{
    if (std::abs(vector.y()) < std::abs(vector.x())) {
        return vector.x() < 0 ? Decision::trash : Decision::keep;
    }
    return vector.y() < 0 ? Decision::move : Decision::later;
}

bool isDecisiveDrag(QPointF translation, QPointF predictedEnd)
{
    const double distance = largerAxis(translation);
    return distance > decisiveDistance ||
           (distance > flickMinimumDistance && largerAxis(predictedEnd) > flickPredictedDistance);
}

DragOutcome dragOutcome(QPointF translation, QPointF predictedEnd, bool confirmTrash)
{
    if (!isDecisiveDrag(translation, predictedEnd)) {
        return {};
    }
    const Decision decision = decisionForDirection(translation);
    const bool waitsForASheet =
        decision == Decision::move || (decision == Decision::trash && confirmTrash);
    return {decision, waitsForASheet};
}

QPointF dragVelocity(std::span<const DragSample> samples)
{
    if (samples.empty()) {
        return {};
    }
    const DragSample& newest = samples.back();
    const auto oldest =
        std::find_if(samples.begin(), samples.end(), [&newest](const DragSample& s) {
            return newest.timestampMs - s.timestampMs <= velocityWindowMs;
        });
    const qint64 elapsedMs = newest.timestampMs - oldest->timestampMs;
    if (elapsedMs <= 0) {
        return {};
    }
    return (newest.position - oldest->position) * (1000.0 / static_cast<double>(elapsedMs));
}

QPointF predictedEndTranslation(QPointF translation, QPointF velocity)
{
    return translation + velocity * projectionSeconds;
}

double leanDegrees(QPointF offset)
{
    return offset.x() / leanDivisor;
}

double badgeOpacity(QPointF offset)
{
    const double distance = largerAxis(offset);
    if (distance <= badgeHiddenUpTo) {
        return 0.0;
    }
    return std::min(distance / badgeOpaqueFrom, 1.0);
}

QPointF flyOutTarget(Decision decision)
{
    switch (decision) {
    case Decision::keep:
        return {1000, 30};
    case Decision::trash:
        return {-1000, 30};
    case Decision::move:
        return {0, -900};
    case Decision::later:
        return {0, 900};
    }
    return {};
}

QColor badgeColor(Decision decision, ColorScheme scheme)
{
    const bool dark = scheme == ColorScheme::dark;
    switch (decision) {
    case Decision::keep:
        return QColor(dark ? 0x32D74B : 0x28CD41);
    case Decision::trash:
        return QColor(dark ? 0xFF453A : 0xFF3B30);
    case Decision::move:
        return Theme::orange.resolved(scheme);
    case Decision::later:
        return QColor(dark ? 0x0A84FF : 0x007AFF);
    }
    return {};
}

std::string_view badgeTextKey(Decision decision)
{
    switch (decision) {
    case Decision::keep:
        return "GARDER";
    case Decision::trash:
        return "CORBEILLE";
    case Decision::move:
        return "RANGER";
    case Decision::later:
        return "PLUS TARD";
    }
    return {};
}

} // namespace tollenvane
