#pragma once

#include "app/decoding/FileWorkers.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <functional>
#include <utility>

namespace tollenvane {

// Runs `deliver` on the main thread later, through the application object, which outlives any
// receiver; nothing when the application is already gone.
inline void deliverOnMainThread(std::function<void()> deliver)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr) {
        QMetaObject::invokeMethod(application, std::move(deliver), Qt::QueuedConnection);
    }
}

// Runs `work` on a file worker and hands its result to `deliver` on the main thread, unless
// `receiver` is gone by then. The result travels by value: nothing of the receiver is touched
// off the main thread, and the receiver may go while the work runs.
template <typename Result, typename Work>
void runInBackground(QObject* receiver, Work work, std::function<void(Result)> deliver,
                     int priority = 0)
{
    fileWorkers().start(
        [guard = QPointer<QObject>(receiver), work = std::move(work),
         deliver = std::move(deliver)]() mutable {
            deliverOnMainThread([guard, deliver = std::move(deliver), result = work()]() {
                if (guard) {
                    deliver(result);
                }
            });
        },
        priority);
}

} // namespace tollenvane
