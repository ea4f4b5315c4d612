#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

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

} // namespace tollenvane::test
