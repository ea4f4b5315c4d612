#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>

namespace tollenvane::test {

// A child process started from an executable (with the single argument "600", the seconds a
// sleeping tool waits), killed when the object goes.
class RunningTool {
public:
    explicit RunningTool(const std::string& executable);
    ~RunningTool();
    RunningTool(const RunningTool&) = delete;
    RunningTool& operator=(const RunningTool&) = delete;

    // Kills the process and waits until it is gone.
    void stop();

private:
    pid_t pid_;
};

// Asks `condition` every 10 ms until it holds or `timeout` has passed; gives its last answer.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(5));

} // namespace tollenvane::test
