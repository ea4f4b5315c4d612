#pragma once

#include <malloc.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
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

// A screen at a time, each step from the event loop, as a user paging down would, until the
// end has stayed where it is for half a second.
inline void scrollToEnd(QScrollArea& page)
{
    QScrollBar& bar = *page.verticalScrollBar();
    bool done = false;
    int end = -1;
    Clock::time_point endSince = Clock::now();
    QTimer steps;
    steps.setInterval(0);
    QObject::connect(&steps, &QTimer::timeout, [&] {
        if (bar.maximum() != end) {
            end = bar.maximum();
            endSince = Clock::now();
        }
        if (bar.value() < end) {
            bar.setValue(bar.value() + bar.pageStep());
        } else {
            done = Clock::now() - endSince > std::chrono::milliseconds(500);
        }
    });
    steps.start();
    spinUntil([&] { return done; });
}

// The main thread's own processor time: a gap longer than it waited for the processor.
inline Clock::duration threadTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// The gaps between the ticks of a 1 ms timer on the main thread: a frame is 16 ms, no gap
// should pass it. On a busy machine a gap also holds the time the thread waited its turn, so
// the longest gap of the thread's own time is kept too.
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
        lastOwn_ = threadTime();
        timer_.start();
    }
    void stop()
    {
        tick();
        timer_.stop();
    }
    Clock::duration longest() const { return longest_; }
    Clock::duration longestOwn() const { return longestOwn_; }

private:
    void tick()
    {
        const Clock::time_point now = Clock::now();
        const Clock::duration own = threadTime();
        longest_ = std::max(longest_, now - last_);
        longestOwn_ = std::max(longestOwn_, own - lastOwn_);
        last_ = now;
        lastOwn_ = own;
    }

    QTimer timer_;
    Clock::time_point last_;
    Clock::duration lastOwn_{};
    Clock::duration longest_{};
    Clock::duration longestOwn_{};
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

// `[--<option> N] [work-folder]`: how many items, and where the benchmark works (a new folder
// named after it in the current one unless given, which it then removes).
struct PageBenchArguments {
    int count = 0;
    std::filesystem::path work;
    bool ownWork = true;

    static std::optional<PageBenchArguments> parse(int argc, char** argv, std::string_view option,
                                                   int count, std::string_view name)
    {
        PageBenchArguments parsed{.count = count, .work = {}, .ownWork = true};
        for (int at = 1; at < argc; ++at) {
            const std::string_view argument = argv[at];
            if (argument == option && at + 1 < argc) {
                parsed.count = std::atoi(argv[++at]);
            } else if (!argument.starts_with("-") && parsed.ownWork) {
                parsed.work = std::filesystem::absolute(argument);
                parsed.ownWork = false;
            } else {
                return std::nullopt;
            }
        }
        if (parsed.ownWork) {
            parsed.work =
                std::filesystem::absolute(std::string(name) + "-" + std::to_string(getpid()));
        }
        return parsed.count > 0 ? std::optional(parsed) : std::nullopt;
    }
};

} // namespace tollenvane::bench
