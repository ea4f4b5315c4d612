#pragma once

#include "model/async/TimerHandle.h"

#include <memory>
#include <stop_token>

namespace tollenvane {

// A cancellable background job: its stop token is passed down to the work, and its timer, when
// it waits on one, is cancelled with it.
class TaskHandle {
public:
    void cancel();
    bool cancelled() const { return stop_.stop_requested(); }
    std::stop_token token() const { return stop_.get_token(); }

    void setTimer(std::shared_ptr<TimerHandle> timer) { timer_ = std::move(timer); }

private:
    std::stop_source stop_;
    std::shared_ptr<TimerHandle> timer_;
};

// Cancels a present handle; the handle itself is kept.
inline void cancel(const std::shared_ptr<TaskHandle>& task)
{
    if (task) {
        task->cancel();
    }
}

} // namespace tollenvane
