#pragma once

#include "core/applications/ApplicationScanOptions.h"
#include "core/scan/ScanEvent.h"

#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace tollenvane {

// The state of one application scan, pulled one step at a time. Steps run one at a time,
// whatever the thread that asks.
class ApplicationCursor {
public:
    // Nothing is read before the first pull.
    explicit ApplicationCursor(std::vector<std::string> roots, ApplicationScanOptions options = {});
    ~ApplicationCursor();
    ApplicationCursor(ApplicationCursor&&) noexcept;
    ApplicationCursor& operator=(ApplicationCursor&&) noexcept;

    // A batch of exactly one application, a problem text for a bundle that could not be read,
    // or `finished` once every root was walked. Nothing ends the stream: after `finished`, and
    // when `stop` was requested (every later call gives nothing too). A root that cannot be
    // walked is passed over without a problem; the same path is given at most once.
    std::optional<ScanEvent> next(std::stop_token stop = {});

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tollenvane
