#include "support/NamedThreads.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace tollenvane::test {

long namedThreads(std::initializer_list<std::string_view> names)
{
    long count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        // A thread that ended since the listing has no name to read.
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && std::ranges::find(names, name) != names.end()) {
            ++count;
        }
    }
    return count;
}

} // namespace tollenvane::test
