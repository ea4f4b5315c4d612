#include "app/tutorial/TutorialRules.h"

#include "app/deck/SwipeRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tollenvane {

namespace {

constexpr double demoLeanPointsPerDegree = 35.0;

constexpr std::array<Demonstration, 4> demonstrationTable{{
    {Decision::trash,
     "Corbeille",
     "trash",
     {-85, 0},
     "À la Corbeille, immédiatement. Ctrl+Z pour annuler."},
    {Decision::keep, "Garder", "checkmark", {85, 0}, "Gardé. Le fichier reste à sa place."},
    {Decision::move, "Ranger", "folder", {0, -30}, "Rangé dans le dossier que vous choisissez."},
    {Decision::later,
     "Plus tard",
     "clock",
     {0, 30},
     "Pour plus tard. Aucun changement au fichier."},
}};

} // namespace

TutorialStep tutorialStepAt(int step)
{
    switch (step) {
    case 0:
        return TutorialStep::welcome;
    case 1:
        return TutorialStep::gestureDemo;
    case 2:
        return TutorialStep::sources;
    default:
        return TutorialStep::preferences;
    }
}

QString stepCounterText(int step)
{
    return QStringLiteral("%1 / %2").arg(step + 1).arg(tutorialStepCount);
}

std::string_view stepHeadingKey(TutorialStep step)
{
    switch (step) {
    case TutorialStep::welcome:
        return "Faites de la place\nsans vous prendre la tête.";
    case TutorialStep::gestureDemo:
        return "Un geste suffit.";
    case TutorialStep::sources:
        return "Par où commence-t-on ?";
    case TutorialStep::preferences:
        return "Faites comme chez vous.";
    }
    return {};
}

bool stepBarFilled(int bar, int step)
{
    return bar <= step;
}

bool showsBackButton(int step)
{
    return step >= 1;
}

int nextStep(int step)
{
    return std::clamp(step + 1, 0, tutorialStepCount - 1);
}

int previousStep(int step)
{
    return std::clamp(step - 1, 0, tutorialStepCount - 1);
}

FooterAction footerAction(int step)
{
    if (step >= tutorialStepCount - 1) {
        return {"Ouvrir mon espace", "checkmark", true};
    }
    return {"Continuer", "arrow.right", false};
}

const std::array<Demonstration, 4>& demonstrations()
{
    return demonstrationTable;
}

const Demonstration& demonstration(Decision decision)
{
    const auto found =
        std::find_if(demonstrationTable.begin(), demonstrationTable.end(),
                     [decision](const Demonstration& shown) { return shown.decision == decision; });
    return found == demonstrationTable.end() ? demonstrationTable.front() : *found;
}

QColor demonstrationColor(Decision decision, ColorScheme scheme)
{
    const bool dark = scheme == ColorScheme::dark;
    switch (decision) {
    case Decision::trash:
        return QColor(dark ? 0xFF453A : 0xFF3B30);
    case Decision::keep:
        return QColor(dark ? 0x32D74B : 0x28CD41);
    case Decision::move:
        return Theme::orange.resolved(scheme);
    case Decision::later:
        return Theme::muted.resolved(scheme);
    }
    return {};
}

bool demoDragStarted(QPointF travel)
{
    return std::hypot(travel.x(), travel.y()) >= demoDragStart;
}

std::optional<Decision> demoReleaseDecision(QPointF translation)
{
    const double distance = std::max(std::abs(translation.x()), std::abs(translation.y()));
    if (distance <= demoDecisionDistance) {
        return std::nullopt;
    }
    return decisionForDirection(translation);
}

double demoLeanDegrees(QPointF offset)
{
    return offset.x() / demoLeanPointsPerDegree;
}

std::optional<std::string>
externalDrivesFolder(std::string_view user, const std::function<bool(const std::string&)>& isFolder)
{
    const std::string name(user);
    std::vector<std::string> places;
    if (!name.empty() && name.find('/') == std::string::npos && name != "." && name != "..") {
        places = {"/run/media/" + name, "/media/" + name};
    }
    places.insert(places.end(), {"/media", "/mnt"});
    for (const std::string& place : places) {
        if (isFolder(place)) {
            return place;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane
