#pragma once

#include "model/async/Executor.h"
#include "model/async/MainThread.h"
#include "model/async/Outcome.h"
#include "model/async/SerialQueue.h"

#include <QObject>
#include <QPointer>
#include <type_traits>
#include <utility>

namespace tollenvane {

namespace detail {

template <class Work>
auto outcomeOfWork(Work& work)
{
    if constexpr (std::is_void_v<std::invoke_result_t<Work&>>) {
        return outcomeOf(work);
    } else {
        return Outcome<std::invoke_result_t<Work&>>::of(work);
    }
}

template <class Work, class Then>
auto awaitingJob(QObject* context, Work work, Then then)
{
    return [context = QPointer<QObject>(context), work = std::move(work),
            then = std::move(then)]() mutable {
        auto outcome = outcomeOfWork(work);
        postToMain([context, outcome = std::move(outcome), then = std::move(then)]() mutable {
            if (context) {
                then(std::move(outcome));
            }
        });
    };
}

} // namespace detail

// Runs `work` on `queue` and hands its outcome to `then` on the main thread, unless `context` is
// gone by then. What `then` captures travels by value and must be copyable.
template <class Work, class Then>
void awaitOn(SerialQueue& queue, QObject* context, Work work, Then then)
{
    queue.post(detail::awaitingJob(context, std::move(work), std::move(then)));
}

// The same on the executor, for work that needs no queue of its own.
template <class Work, class Then>
void awaitOn(Executor& executor, Priority priority, QObject* context, Work work, Then then)
{
    executor.run(priority, detail::awaitingJob(context, std::move(work), std::move(then)));
}

} // namespace tollenvane
