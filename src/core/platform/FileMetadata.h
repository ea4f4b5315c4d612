#pragma once

#include "core/base/Date.h"

#include <optional>
#include <string>

namespace tollenvane {

// Indexed metadata about a file that the file system itself does not keep. Linux desktops have
// no reliable store for either value, so the system answer is always absent.
class FileMetadata {
public:
    virtual ~FileMetadata() = default;
    virtual std::optional<Date> lastUsed(const std::string& path) const = 0;
    virtual std::optional<bool> isScreenCapture(const std::string& path) const = 0;

    static const FileMetadata& system();
};

} // namespace tollenvane
