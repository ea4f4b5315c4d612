#pragma once

#include "core/applications/AppDataEntry.h"
#include "core/applications/AppDataReport.h"

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

// What is told as an inspection ends: how many items it found, and how many it could not read.
QString inspectionEndNotice(const AppDataReport& report);
// What is told as the section opens or closes.
QString disclosureNotice(bool open);

// "owner · category": the owner as it is, the category in the current language.
QString appDataTitle(const AppDataEntry& entry);

} // namespace tollenvane
