#pragma once

#include "core/applications/ApplicationCursor.h"
#include "core/applications/BundleStanding.h"
#include "core/scan/ScanEvent.h"

#include <optional>
#include <stop_token>
#include <vector>

namespace tollenvane {

// One step of an application scan with the standing of each application it brings, judged
// where the step ran: judging resolves links and checks folders, work for the thread that
// already reads the bundle, not for the one that shows it.
struct ApplicationStep {
    ScanEvent event;
    // One per record of a batch, in its order; none for other events.
    std::vector<BundleStanding> standings;

    // Nothing when the cursor has nothing more (see ApplicationCursor::next).
    static std::optional<ApplicationStep> next(ApplicationCursor& cursor,
                                               std::stop_token stop = {});
};

} // namespace tollenvane
