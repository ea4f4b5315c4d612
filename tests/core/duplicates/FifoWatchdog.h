#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>

namespace tollenvane::test {

// Runs `action` on another thread. Should it wait on `fifo` for a writer that never comes,
// writers opened and closed on the FIFO release each wait in turn, so that the test fails
// instead of hanging.
inline void expectNoHangOn(const std::string& fifo, const std::function<void()>& action)
{
    using namespace std::chrono_literals;
    auto done = std::async(std::launch::async, action);
    if (done.wait_for(30s) == std::future_status::timeout) {
        ADD_FAILURE() << "blocked on " << fifo;
        while (done.wait_for(100ms) == std::future_status::timeout) {
            const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                ::close(writer);
            }
        }
    }
    done.get();
}

} // namespace tollenvane::test
