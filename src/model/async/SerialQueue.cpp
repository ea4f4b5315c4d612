#include "model/async/SerialQueue.h"

namespace tollenvane {

std::shared_ptr<SerialQueue> SerialQueue::make(std::shared_ptr<Executor> executor,
                                               Priority priority)
{
    return std::make_shared<SerialQueue>(Key{}, std::move(executor), priority);
}

SerialQueue::SerialQueue(Key, std::shared_ptr<Executor> executor, Priority priority)
    : executor_(std::move(executor))
    , priority_(priority)
{}

void SerialQueue::post(std::function<void()> job)
{
    {
        const std::scoped_lock guard(lock_);
        jobs_.push_back(std::move(job));
        if (draining_) {
            return;
        }
        draining_ = true;
    }
    schedule();
}

// One job per executor run, so that other work is not held up behind a long queue.
void SerialQueue::runOne()
{
    std::function<void()> job;
    {
        const std::scoped_lock guard(lock_);
        job = std::move(jobs_.front());
        jobs_.pop_front();
    }
    job();
    {
        const std::scoped_lock guard(lock_);
        if (jobs_.empty()) {
            draining_ = false;
            return;
        }
    }
    schedule();
}

// Once the executor is gone, with whoever owned it, what is left in the queue is dropped.
void SerialQueue::schedule()
{
    if (const auto executor = executor_.lock()) {
        executor->run(priority_, [self = shared_from_this()] { self->runOne(); });
    }
}

} // namespace tollenvane
