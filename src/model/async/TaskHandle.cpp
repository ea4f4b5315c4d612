#include "model/async/TaskHandle.h"

namespace tollenvane {

void TaskHandle::cancel()
{
    stop_.request_stop();
    if (timer_) {
        timer_->cancel();
    }
}

} // namespace tollenvane
