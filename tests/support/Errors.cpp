#include "support/Errors.h"

#include "core/base/PlatformError.h"

namespace tollenvane::test {

std::optional<FileError::Case> fileErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FileError& error) {
        return error.errorCase();
    }
    return std::nullopt;
}

int platformErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const PlatformError& error) {
        return error.code();
    }
    return 0;
}

} // namespace tollenvane::test
