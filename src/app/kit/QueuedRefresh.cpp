#include "app/kit/QueuedRefresh.h"

#include "model/AppModel.h"

namespace tollenvane {

QueuedRefresh::QueuedRefresh(QObject& owner, std::function<void()> refresh)
    : owner_(owner)
    , refresh_(std::move(refresh))
{}

void QueuedRefresh::follow(AppModel& model, std::initializer_list<void (AppModel::*)()> changes)
{
    for (const auto change : changes) {
        QObject::connect(&model, change, &owner_, [this] { request(); });
    }
}

void QueuedRefresh::request()
{
    if (queued_) {
        return;
    }
    queued_ = true;
    // Posted to the owner, so a refresh still queued when the owner goes is dropped with it.
    QMetaObject::invokeMethod(
        &owner_,
        [this] {
            queued_ = false;
            refresh_();
        },
        Qt::QueuedConnection);
}

} // namespace tollenvane
