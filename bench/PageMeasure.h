#pragma once

#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tollenvane::bench {

using Clock = std::chrono::steady_clock;

inline long milliseconds(Clock::duration duration)
{
    return std::lround(std::chrono::duration<double, std::milli>(duration).count());
}

// Bytes the allocator has handed out and not had back, once the deletions asked for are done.
inline std::size_t heapInUse()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

inline long mebibytes(std::size_t more, std::size_t less)
{
    return more <= less ? 0 : std::lround(static_cast<double>(more - less) / (1024.0 * 1024.0));
}

// Runs the event loop until `done` holds.
inline void spinUntil(const std::function<bool()>& done,
                      Clock::duration patience = std::chrono::minutes(30))
{
    const Clock::time_point deadline = Clock::now() + patience;
    while (!done()) {
        if (Clock::now() > deadline) {
            throw std::runtime_error("the window did not answer in time");
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

// The gaps between the ticks of a 1 ms timer on the main thread: a frame is 16 ms, no gap
// should pass it.
class StallRecorder {
public:
    StallRecorder()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        last_ = Clock::now();
        timer_.start();
    }
    void stop()
    {
        tick();
        timer_.stop();
    }
    Clock::duration longest() const { return longest_; }

private:
    void tick()
    {
        const Clock::time_point now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    QTimer timer_;
    Clock::time_point last_;
    Clock::duration longest_{};
};

// Notes the first paint of a widget named `name`, or of one inside it, once armed.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QString name)
        : name_(std::move(name))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    void arm()
    {
        armed_ = Clock::now();
        painted_.reset();
    }
    std::optional<Clock::duration> took() const
    {
        return painted_ ? std::optional(*painted_ - armed_) : std::nullopt;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !painted_ && watched->isWidgetType()) {
            for (const QObject* at = watched; at != nullptr; at = at->parent()) {
                if (at->objectName() == name_) {
                    painted_ = Clock::now();
                    break;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString name_;
    Clock::time_point armed_;
    std::optional<Clock::time_point> painted_;
};

} // namespace tollenvane::bench
