#pragma once

#include "app/design/Theme.h"
#include "core/records/Decision.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// The four steps of the first-run tutorial, in the order they are shown.
enum class TutorialStep { welcome, gestureDemo, sources, preferences };

inline constexpr int tutorialStepCount = 4;

// The step shown for a step number; anything past the third is the preferences.
TutorialStep tutorialStepAt(int step);
// "2 / 4": never translated.
QString stepCounterText(int step);
// The catalogue key of the heading of a step.
std::string_view stepHeadingKey(TutorialStep step);
// The bars of the current step and of every earlier one are filled.
bool stepBarFilled(int bar, int step);
bool showsBackButton(int step);
// The step a button leads to, within the tutorial's bounds.
int nextStep(int step);
int previousStep(int step);

// The footer's main button: continue on the first steps, open the space on the last.
struct FooterAction {
    std::string_view titleKey;
    std::string_view symbol;
    bool finishes = false;
};
FooterAction footerAction(int step);

// One decision as the demonstration shows it.
struct Demonstration {
    Decision decision;
    std::string_view titleKey;
    std::string_view symbol;
    // Where the demonstration card comes to rest afterwards.
    QPointF nudge;
    std::string_view messageKey;
};

inline constexpr std::string_view demoInvitationKey = "Essayez un swipe sur cette carte.";

// Trash, keep, move, later: the order of the buttons.
const std::array<Demonstration, 4>& demonstrations();
const Demonstration& demonstration(Decision decision);
// The colour of a decision's button: the platform's red and green, the accent, the muted text.
QColor demonstrationColor(Decision decision, ColorScheme scheme);

// A press becomes a drag of the demonstration card only once it went this far.
inline constexpr qreal demoDragStart = 10;
// A released drag demonstrates only beyond this distance along its larger axis.
inline constexpr qreal demoDecisionDistance = 60;

bool demoDragStarted(QPointF travel);
// The decision a released drag demonstrates; none when the card springs back.
std::optional<Decision> demoReleaseDecision(QPointF translation);
// Degrees clockwise: the card leans more than a real card, a 35-point push per degree.
double demoLeanDegrees(QPointF offset);

// Where the chooser opens to pick an external disk: the first folder that exists of the places
// desktops mount removable disks in; none when there is no such folder.
std::optional<std::string>
externalDrivesFolder(std::string_view user,
                     const std::function<bool(const std::string&)>& isFolder);

} // namespace tollenvane
