#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tollenvane {

// A failed system call: carries errno and the call's name. `what()` is for logs ("open:
// Permission denied"); screens show errorDescription (localisation/ErrorText.h), which names
// no call.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(int code, std::string_view operation = {});

    int code() const noexcept { return code_; }
    // The failed call, or what was being done; empty when not given.
    const std::string& operation() const noexcept { return operation_; }

    // The last errno, captured at once so that later calls cannot overwrite it.
    [[noreturn]] static void throwLast(std::string_view operation = {});

private:
    int code_;
    std::string operation_;
};

} // namespace tollenvane
