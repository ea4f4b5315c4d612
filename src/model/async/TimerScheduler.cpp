#include "model/async/TimerScheduler.h"

#include <QPointer>
#include <QTimer>

namespace tollenvane {

namespace {

class QtTimerHandle final : public TimerHandle {
public:
    explicit QtTimerHandle(QTimer* timer)
        : timer_(timer)
    {}

    void cancel() override
    {
        if (timer_) {
            timer_->stop();
            timer_->deleteLater();
        }
    }

private:
    QPointer<QTimer> timer_;
};

} // namespace

std::shared_ptr<TimerHandle> TimerScheduler::after(std::chrono::milliseconds delay,
                                                   std::function<void()> action)
{
    auto* timer = new QTimer(&timers_); // owned by its parent until it fires or is cancelled
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action = std::move(action)] {
        timer->deleteLater();
        action();
    });
    timer->start(delay);
    return std::make_shared<QtTimerHandle>(timer);
}

} // namespace tollenvane
