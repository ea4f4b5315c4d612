#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <functional>
#include <utility>

namespace tollenvane {

// Runs `work` on a worker thread and hands its result to `deliver` on the main thread, unless
// `receiver` is gone by then. The result travels by value: nothing of the receiver is touched
// off the main thread.
template <typename Result, typename Work>
void runInBackground(QObject* receiver, Work work, std::function<void(Result)> deliver,
                     int priority = 0)
{
    QThreadPool::globalInstance()->start(
        [guard = QPointer<QObject>(receiver), work = std::move(work),
         deliver = std::move(deliver)]() mutable {
            Result result = work();
            QCoreApplication* application = QCoreApplication::instance();
            if (application == nullptr) {
                return;
            }
            QMetaObject::invokeMethod(
                application,
                [guard, deliver = std::move(deliver), result = std::move(result)]() mutable {
                    if (guard) {
                        deliver(std::move(result));
                    }
                },
                Qt::QueuedConnection);
        },
        priority);
}

} // namespace tollenvane
