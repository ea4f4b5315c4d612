// Runs a command and writes what the system counted of it to a file: wall seconds, peak
// resident memory in KiB, processor seconds (user and system) and voluntary context switches.
//
//     measured_run RESULT_FILE COMMAND [ARGUMENT...]
//
// A process's peak resident size survives exec: a command started straight from a large
// process (bench/compare holds a corpus manifest) reports that process's size as its own. This
// launcher is small, and it reports the counts of the child it forked.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: measured_run RESULT_FILE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fork");
        return 2;
    }
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::perror(argv[2]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("wait4");
        return 2;
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const auto seconds = [](const timeval& time) {
        return double(time.tv_sec) + double(time.tv_usec) / 1e6;
    };
    std::ofstream result(argv[1]);
    result << wall.count() << ' ' << usage.ru_maxrss << ' '
           << seconds(usage.ru_utime) + seconds(usage.ru_stime) << ' ' << usage.ru_nvcsw << '\n';
    if (!result) {
        std::fprintf(stderr, "measured_run: cannot write %s\n", argv[1]);
        return 2;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}
