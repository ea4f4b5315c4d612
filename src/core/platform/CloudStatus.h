#pragma once

#include <optional>
#include <string>

namespace tollenvane {

// Whether an item is a placeholder of a cloud drive whose content is not on this computer.
// Linux file systems have no such placeholders, so the system answer is "not a cloud item".
class CloudStatus {
public:
    virtual ~CloudStatus() = default;
    // Nothing for an ordinary item; for a cloud item, whether its content is downloaded.
    virtual std::optional<bool> isDownloaded(const std::string& path) const = 0;

    static const CloudStatus& system();
};

} // namespace tollenvane
