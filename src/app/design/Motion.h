#pragma once

#include <QEasingCurve>

namespace tollenvane {

// A timing curve and how long it runs: what an animated change of the screens moves along.
struct Motion {
    QEasingCurve curve;
    int durationMs = 0;

    // Decelerating to rest, for the given time.
    static Motion easeOut(double seconds);
    // The review deck's card returning to the middle: response 0.25 s, damping 0.88.
    static Motion deckSpring();
    // The tutorial's steps: response 0.45 s, damping 0.8.
    static Motion tutorialSpring();
};

// An underdamped spring released from 0 towards 1, at `seconds` after release.
double springPosition(double seconds, double response, double damping);
// How long a spring takes to come within 1e-3 of rest: its envelope's decay time.
double springSettlingSeconds(double response, double damping);

} // namespace tollenvane
