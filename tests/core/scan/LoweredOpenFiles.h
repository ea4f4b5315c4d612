#pragma once

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>

namespace tollenvane::test {

// Lowers the soft limit on open files for the scope of the object.
class LoweredOpenFiles {
public:
    explicit LoweredOpenFiles(rlim_t soft)
    {
        EXPECT_EQ(::getrlimit(RLIMIT_NOFILE, &previous_), 0);
        const rlimit lowered{.rlim_cur = std::min(soft, previous_.rlim_max),
                             .rlim_max = previous_.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    }
    ~LoweredOpenFiles() { ::setrlimit(RLIMIT_NOFILE, &previous_); }
    LoweredOpenFiles(const LoweredOpenFiles&) = delete;
    LoweredOpenFiles& operator=(const LoweredOpenFiles&) = delete;

    rlim_t hard() const { return previous_.rlim_max; }

private:
    rlimit previous_{};
};

} // namespace tollenvane::test
