#pragma once

namespace tollenvane {

// A pending timer; once cancelled, its action never runs.
class TimerHandle {
public:
    virtual ~TimerHandle() = default;
    virtual void cancel() = 0;
};

} // namespace tollenvane
