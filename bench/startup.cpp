// Times how long the application takes from its start to its window on screen, with no state
// and with a state of 50 sources and 500 past sessions; each run quits with Ctrl+Q. Needs an X
// display and xdotool:
//   xvfb-run -a build/ci/bench/startup build/ci/src/app/tollenvane [runs]   (5 unless given)
// Its folders are made in the current folder, since the application refuses /tmp.
#include "core/access/FolderAccess.h"
#include "core/base/Uuid.h"
#include "core/persistence/SavedState.h"
#include "core/persistence/StateStore.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace tollenvane;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

pid_t spawn(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " + arguments[0]);
    }
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The shown window of the process, once xdotool sees one.
std::optional<std::string> shownWindow(pid_t pid)
{
    const std::string command =
        "xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    char line[64] = {};
    const bool found = out != nullptr && std::fgets(line, sizeof line, out) != nullptr;
    if (out != nullptr) {
        pclose(out);
    }
    return found ? std::optional(std::string(line, std::strcspn(line, "\n"))) : std::nullopt;
}

double secondsToWindow(const std::string& application, const fs::path& state)
{
    const Clock::time_point start = Clock::now();
    const pid_t app = spawn({application, "--state", state.string()});
    std::optional<std::string> window;
    while (!(window = shownWindow(app))) {
        if (Clock::now() - start > 60s) {
            kill(app, SIGKILL);
            waitFor(app);
            throw std::runtime_error("no window after 60 s");
        }
        std::this_thread::sleep_for(2ms);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::this_thread::sleep_for(500ms);
    waitFor(spawn({"xdotool", "windowfocus", "--sync", *window}));
    waitFor(spawn({"xdotool", "key", "--clearmodifiers", "ctrl+q"}));
    waitFor(app);
    return seconds;
}

SavedState busyState(const fs::path& folder)
{
    SavedState state;
    state.preferences.onboardingComplete = true;
    for (int i = 0; i < 50; ++i) {
        const fs::path source = folder / "sources" / ("Folder " + std::to_string(i));
        fs::create_directories(source);
        state.sources.push_back(FolderAccess::grant(source.string(), false));
    }
    for (int i = 0; i < 500; ++i) {
        SessionSummary summary;
        summary.id = uuid::make();
        summary.date = 800'000'000.0 + i * 86'400.0;
        summary.kept = i % 7;
        summary.trashed = i % 11;
        summary.trashBytes = 1'000'000LL * (i % 13);
        state.history.push_back(summary);
    }
    return state;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::getenv("DISPLAY") == nullptr) {
        std::cerr << "usage: xvfb-run -a " << argv[0] << " path/to/tollenvane [runs]\n";
        return 2;
    }
    const std::string application = fs::absolute(argv[1]).string();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path folder = fs::absolute("startup-bench");
    fs::remove_all(folder);
    fs::create_directories(folder);
    setenv("HOME", folder.c_str(), 1);

    struct Scenario {
        const char* name;
        std::optional<SavedState> state;
    };
    const Scenario scenarios[] = {{"empty state", std::nullopt},
                                  {"50 sources, 500 sessions", busyState(folder)}};
    std::cout << std::fixed << std::setprecision(3);
    for (const Scenario& scenario : scenarios) {
        std::vector<double> seconds;
        for (int run = 0; run < runs; ++run) {
            const fs::path state = folder / "state.json";
            fs::remove(state);
            if (scenario.state) {
                StateStore(state.string()).save(*scenario.state);
            }
            seconds.push_back(secondsToWindow(application, state));
        }
        std::cout << scenario.name << ": window shown after " << median(seconds) << " s (median of "
                  << runs << ", first " << seconds.front() << " s)\n";
    }
    fs::remove_all(folder);
    return 0;
}
