#pragma once

#include <cstddef>

namespace tollenvane {

// The model's flags that the applications page's controls follow.
struct ApplicationFlags {
    bool scanningApplications = false;
    bool sessionActive = false;
    bool busy = false;
};

// What the page's controls show and allow. The model checks again when called; this only keeps
// the page from offering what it would ignore.
struct ApplicationControls {
    bool refreshShown = true; // "Actualiser", else the progress row with "Arrêter"
    bool refreshEnabled = true;
    bool sortEnabled = false;   // "Trier ces applications"
    bool examineEnabled = true; // each row's "Examiner"
    bool emptyShown = false;    // the empty state, held back while the inventory runs
};

ApplicationControls applicationControls(const ApplicationFlags& flags, std::size_t selected,
                                        std::size_t sortable);

} // namespace tollenvane
