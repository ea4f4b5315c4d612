#pragma once

#include "model/async/Scheduler.h"

#include <QObject>

namespace tollenvane {

// Single-shot precise timers of the thread that made the scheduler, which must be the main one.
class TimerScheduler final : public Scheduler {
public:
    std::shared_ptr<TimerHandle> after(std::chrono::milliseconds delay,
                                       std::function<void()> action) override;

private:
    QObject timers_; // parent of the pending timers
};

} // namespace tollenvane
