#include "core/base/PlatformError.h"

#include <cerrno>
#include <cstring>

namespace tollenvane {

namespace {

std::string describe(int code, std::string_view operation)
{
    std::string text = std::strerror(code);
    if (!operation.empty()) {
        text = std::string(operation) + ": " + text;
    }
    return text;
}

} // namespace

PlatformError::PlatformError(int code, std::string_view operation)
    : std::runtime_error(describe(code, operation))
    , code_(code)
    , operation_(operation)
{}

void PlatformError::throwLast(std::string_view operation)
{
    throw PlatformError(errno, operation);
}

} // namespace tollenvane
