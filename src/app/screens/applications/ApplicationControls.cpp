#include "app/screens/applications/ApplicationControls.h"

namespace tollenvane {

ApplicationControls applicationControls(const ApplicationFlags& flags, std::size_t selected,
                                        std::size_t sortable)
{
    const bool deciding = flags.sessionActive || flags.busy;
    return {.refreshShown = !flags.scanningApplications,
            .refreshEnabled = !deciding,
            .sortEnabled = sortable > 0 && !flags.scanningApplications && !deciding,
            .examineEnabled = !deciding,
            .emptyShown = selected == 0 && !flags.scanningApplications};
}

} // namespace tollenvane
