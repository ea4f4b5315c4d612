#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <utility>

namespace tollenvane {

// Runs `action` on `context`'s thread once `future` has finished, unless `context` is gone by
// then. QFuture::then(context, …) must not be used here: a future that finishes after its context
// is destroyed asserts in Qt's continuation. The watcher belongs to `context` and goes with it.
template <class T, class Action>
void whenFinished(const QFuture<T>& future, QObject* context, Action action)
{
    auto* const watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, action = std::move(action)]() mutable {
                         watcher->deleteLater();
                         action();
                     });
    watcher->setFuture(future);
}

} // namespace tollenvane
