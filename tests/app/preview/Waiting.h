#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <vector>

namespace tollenvane::test {

// Runs the event loop until `done` holds; a watchdog fails the test instead of letting a hung
// decoder hang the suite.
template <class Condition>
::testing::AssertionResult processUntil(Condition done, int milliseconds = 15'000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) {
            return ::testing::AssertionFailure() << "gave up waiting";
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return ::testing::AssertionSuccess();
}

// The longest the main thread went without running a timer due every 10 ms, while it lives.
class MainThreadWatch {
public:
    MainThreadWatch()
    {
        QObject::connect(&ticks_, &QTimer::timeout,
                         [this] { longestGap_ = std::max(longestGap_, sinceLast_.restart()); });
        sinceLast_.start();
        ticks_.start(10);
    }
    qint64 longestGapMs() const { return longestGap_; }

private:
    QTimer ticks_;
    QElapsedTimer sinceLast_;
    qint64 longestGap_ = 0;
};

// The processes this process started whose name begins with `name` (the kernel keeps its first
// 15 characters) that still run.
inline std::vector<pid_t> childrenRunning(QLatin1String name)
{
    std::vector<pid_t> running;
    const QString parent = QString::number(::getpid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // pid (name) state ppid ...: the name may hold spaces, so split after its closing mark.
        const QString line = QString::fromUtf8(stat.readAll());
        const QStringList after = line.mid(line.lastIndexOf(u')') + 2).split(u' ');
        if (line.contains(u'(' + name) && after.size() > 1 && after.at(0) != u"Z" &&
            after.at(1) == parent) {
            running.push_back(pid.toInt());
        }
    }
    return running;
}

inline int runningChildren(QLatin1String name)
{
    return static_cast<int>(childrenRunning(name).size());
}

// The decoder processes this process started that still run.
inline int runningDecoders()
{
    return runningChildren(QLatin1String("tollenvane-deco"));
}

} // namespace tollenvane::test
