#include "support/RunningTool.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace tollenvane::test {

RunningTool::RunningTool(const std::string& executable)
    : pid_(::fork())
{
    if (pid_ == 0) {
        ::execl(executable.c_str(), "tool", "600", static_cast<char*>(nullptr));
        ::_exit(127);
    }
}

RunningTool::~RunningTool()
{
    stop();
}

void RunningTool::stop()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace tollenvane::test
