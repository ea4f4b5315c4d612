#include "core/storage/StorageNode.h"

#include "core/base/FileUrl.h"

namespace tollenvane {

std::string StorageNode::url() const
{
    std::string url = fileUrl(id);
    if (directory && !url.ends_with('/')) {
        url += '/';
    }
    return url;
}

} // namespace tollenvane
