#pragma once

#include <QObject>
#include <functional>
#include <initializer_list>

namespace tollenvane {

class AppModel;

// Gathers a burst of model signals into one update of a widget, run once the event loop is back:
// a model operation that publishes five fields redraws the widget once, with all five.
class QueuedRefresh {
public:
    QueuedRefresh(QObject& owner, std::function<void()> refresh);

    // Every signal listed asks for the refresh, for as long as the owner lives.
    void follow(AppModel& model, std::initializer_list<void (AppModel::*)()> changes);
    void request();

private:
    QObject& owner_;
    std::function<void()> refresh_;
    bool queued_ = false;
};

} // namespace tollenvane
