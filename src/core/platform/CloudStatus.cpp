#include "core/platform/CloudStatus.h"

namespace tollenvane {

namespace {

class LocalOnlyCloudStatus final : public CloudStatus {
public:
    std::optional<bool> isDownloaded(const std::string&) const override { return std::nullopt; }
};

} // namespace

const CloudStatus& CloudStatus::system()
{
    static const LocalOnlyCloudStatus status;
    return status;
}

} // namespace tollenvane
