#include "app/shell/QuitSignals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <csignal>
#include <vector>

namespace tollenvane {
namespace {

void (*handlerOf(int signalNumber))(int)
{
    struct sigaction current {};
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler;
}

TEST(QuitSignalsTest, EndingSignalsArriveOnTheEventLoopAndTheOldHandlersReturn)
{
    const auto before = handlerOf(SIGTERM);
    std::vector<int> received;
    {
        QuitSignals quitSignals;
        QObject::connect(&quitSignals, &QuitSignals::received,
                         [&received](int number) { received.push_back(number); });
        ASSERT_EQ(::raise(SIGTERM), 0);
        ASSERT_EQ(::raise(SIGINT), 0);
        const QDeadlineTimer deadline(10'000);
        while (received.size() < 2 && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
    }
    EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGINT}));
    EXPECT_EQ(handlerOf(SIGTERM), before);
}

} // namespace
} // namespace tollenvane
