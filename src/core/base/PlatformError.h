#pragma once

#include <stdexcept>
#include <string>

namespace tollenvane {

// A failed system call: carries errno and the system's own description of it.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(int code, std::string_view operation = {});

    int code() const noexcept { return code_; }

    // The last errno, captured at once so that later calls cannot overwrite it.
    [[noreturn]] static void throwLast(std::string_view operation = {});

private:
    int code_;
};

} // namespace tollenvane
