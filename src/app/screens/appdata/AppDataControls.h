#pragma once

#include "core/applications/AppDataEntry.h"

#include <QString>
#include <cstddef>

namespace tollenvane {

// The model's flags that the leftover-data inspector follows.
struct AppDataFlags {
    std::size_t removedApplications = 0;
    bool scanningAppData = false;
    bool scanningApplications = false;
    bool sessionActive = false;
    bool busy = false;
};

// What the inspector shows: with no removed application a note in place of the search line.
struct AppDataControls {
    bool searchShown = false;
    bool searchEnabled = false;
    bool stopShown = false; // the spinner and "Arrêter"
};

AppDataControls appDataControls(const AppDataFlags& flags);

// "owner · category": the owner as it is, the category in the current language.
QString appDataTitle(const AppDataEntry& entry);

} // namespace tollenvane
