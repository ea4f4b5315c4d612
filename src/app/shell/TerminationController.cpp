#include "app/shell/TerminationController.h"

#include "model/AppModel.h"
#include "model/async/WhenFinished.h"

namespace tollenvane {

TerminationController::TerminationController(AppModel& model, std::function<void()> quit,
                                             QObject* parent)
    : QObject(parent)
    , model_(model)
    , quit_(std::move(quit))
{
    poll_.setInterval(pollInterval);
    poll_.setTimerType(Qt::PreciseTimer);
    connect(&poll_, &QTimer::timeout, this, &TerminationController::checkIdle);
}

void TerminationController::request()
{
    if (terminating_) {
        return;
    }
    terminating_ = true;
    if (modelIdle()) {
        flushThenQuit();
    } else {
        poll_.start();
    }
}

// Flushing before the state file was read would be skipped, and the loaded state never
// written: loading is waited out like a decision.
bool TerminationController::modelIdle() const
{
    return !model_.busy() && !model_.animatingSwipe() && !model_.loading();
}

void TerminationController::checkIdle()
{
    if (modelIdle()) {
        poll_.stop();
        flushThenQuit();
    }
}

void TerminationController::flushThenQuit()
{
    whenFinished(model_.flushState(), this, [this] {
        quit_();
        model_.shutdown();
    });
}

} // namespace tollenvane
