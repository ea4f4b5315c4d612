#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

namespace tollenvane {

// The settings page's rules, kept apart from its widgets.
namespace PreferenceRules {

// The volume slider moves in thousandths, fine enough to feel continuous.
inline constexpr int volumeSteps = 1000;
int sliderPosition(double volume);
double volumeAt(int position);

// The volume as the nearest whole percent in the language's form: 0.29 shows "29 %" in French,
// "29%" in English.
QString percentText(double volume);

struct MinimumSizeOption {
    std::string_view key;
    std::int64_t bytes;
};
inline constexpr std::array<MinimumSizeOption, 4> minimumSizes{{
    {"Aucune", 0},
    {"1 Mo", 1'000'000},
    {"10 Mo", 10'000'000},
    {"100 Mo", 100'000'000},
}};
// The option holding `bytes`; -1 when none does, so that no entry claims a value it does not
// hold.
int minimumSizeIndex(std::int64_t bytes);

// One row of the shortcut table. The arrows are the same in every language; the other keys are
// looked up.
struct Shortcut {
    std::string_view key;
    bool keyLookedUp;
    std::string_view label;
};
inline constexpr std::array<Shortcut, 8> shortcuts{{
    {"←", false, "Mettre à la Corbeille"},
    {"→", false, "Garder"},
    {"↑", false, "Choisir une destination"},
    {"↓", false, "Plus tard"},
    {"Espace", true, "Aperçu complet"},
    {"Ctrl+Z", true, "Annuler la dernière décision"},
    {"Ctrl+N", true, "Nouvelle session"},
    {"Ctrl+O", true, "Ajouter une source"},
}};
// The key as shown in the current language.
QString keyText(const Shortcut& shortcut);

// Which controls can be used while the model is in this state.
struct Availability {
    bool replayTutorial;
    bool scanSettings; // hidden files and minimum size
    bool rescan;
    bool forgetDecisions;
};
Availability availability(bool busy, bool sessionActive);

} // namespace PreferenceRules
} // namespace tollenvane
