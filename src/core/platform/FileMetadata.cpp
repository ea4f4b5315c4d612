#include "core/platform/FileMetadata.h"

namespace tollenvane {

namespace {

class AbsentFileMetadata final : public FileMetadata {
public:
    std::optional<Date> lastUsed(const std::string&) const override { return std::nullopt; }
    std::optional<bool> isScreenCapture(const std::string&) const override { return std::nullopt; }
};

} // namespace

const FileMetadata& FileMetadata::system()
{
    static const AbsentFileMetadata metadata;
    return metadata;
}

} // namespace tollenvane
