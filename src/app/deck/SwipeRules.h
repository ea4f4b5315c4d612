#pragma once

#include "app/design/Theme.h"
#include "core/records/Decision.h"

#include <QColor>
#include <QPointF>
#include <optional>
#include <span>
#include <string_view>

namespace tollenvane {

// The decision a drag vector points at: horizontal only when the horizontal distance is strictly
// the larger (left trash, right keep), otherwise vertical (up move, down later). A tie and the
// zero vector are vertical, so the zero vector is later.
Decision decisionForDirection(QPointF vector);

// Whether a released drag is a decision: far enough on its own, or a shorter drag flicked
// towards a far predicted end. Distances are the larger of the two axes.
bool isDecisiveDrag(QPointF translation, QPointF predictedEnd);

// What the end of a drag does: the decision it makes, if any, and whether the card goes back to
// the middle (no decision, a move, or a trash that has to be confirmed first).
struct DragOutcome {
    std::optional<Decision> decision;
    bool springsBack = true;
};
DragOutcome dragOutcome(QPointF translation, QPointF predictedEnd, bool confirmTrash);

// One pointer position of a drag, with the event's timestamp.
struct DragSample {
    QPointF position;
    qint64 timestampMs = 0;
};

// The pointer's velocity in points per second over the samples of the last 100 ms before the
// newest one; zero when they span no time.
QPointF dragVelocity(std::span<const DragSample> samples);
// Where a drag released at `velocity` would come to rest: half a second further along.
QPointF predictedEndTranslation(QPointF translation, QPointF velocity);

// How far the card leans, in degrees clockwise: a 130-point drag to the right leans 2 degrees.
double leanDegrees(QPointF offset);
// The badge's opacity: none up to 15 points out, then growing to full at 100 points.
double badgeOpacity(QPointF offset);

// Where a card flying out with the decision goes.
QPointF flyOutTarget(Decision decision);
// The badge's colour: fixed standard green, red and blue per scheme, the adaptive orange for move.
QColor badgeColor(Decision decision, ColorScheme scheme);
// The catalogue key of the badge's text.
std::string_view badgeTextKey(Decision decision);

} // namespace tollenvane
