#pragma once

#include "core/base/Pause.h"
#include "core/scan/ScanEvent.h"

#include <chrono>
#include <mutex>
#include <optional>
#include <stop_token>
#include <utility>

namespace tollenvane {

// How a scan cursor hands out its steps: one at a time, whatever the thread that asks, each
// after a pause. A stop request, or a step that gives nothing or `finished`, ends the stream
// for good.
class PacedSteps {
public:
    template <class Step>
    std::optional<ScanEvent> next(std::chrono::nanoseconds pause, const std::stop_token& stop,
                                  Step&& step)
    {
        return next(pause, stop, std::forward<Step>(step), [] {});
    }

    // `end` runs once, when the stream ends, before any other step can start.
    template <class Step, class End>
    std::optional<ScanEvent> next(std::chrono::nanoseconds pause, const std::stop_token& stop,
                                  Step&& step, End&& end)
    {
        const std::scoped_lock guard(lock_);
        std::optional<ScanEvent> event;
        if (!over_ && !stop.stop_requested()) {
            pauseFor(pause, stop);
            if (!stop.stop_requested()) {
                event = step();
            }
        }
        // A caller that pulls again after a cancelled step must not see a walk that lost what
        // the dropped step held.
        if ((!event || event->isFinished()) && !over_) {
            over_ = true;
            end();
        }
        return event;
    }

private:
    std::mutex lock_;
    bool over_ = false;
};

} // namespace tollenvane
