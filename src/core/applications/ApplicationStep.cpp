#include "core/applications/ApplicationStep.h"

#include <utility>

namespace tollenvane {

std::optional<ApplicationStep> ApplicationStep::next(ApplicationCursor& cursor,
                                                     std::stop_token stop)
{
    std::optional<ScanEvent> event = cursor.next(std::move(stop));
    if (!event) {
        return std::nullopt;
    }
    std::vector<BundleStanding> standings;
    if (event->isBatch()) {
        standings.reserve(event->records().size());
        for (const FileRecord& application : event->records()) {
            standings.push_back(BundleStanding::of(application));
        }
    }
    return ApplicationStep{.event = std::move(*event), .standings = std::move(standings)};
}

} // namespace tollenvane
