#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <utility>

namespace tollenvane {

// Queues `action` on the main thread's event loop, from any thread, without waiting. Actions run
// in the order they were posted. One that touches an object checks first that it still exists.
template <class Action>
void postToMain(Action&& action)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<Action>(action),
                              Qt::QueuedConnection);
}

} // namespace tollenvane
