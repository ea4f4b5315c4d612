#include "app/preview/ThumbnailKey.h"

#include "core/records/FileRecord.h"

namespace tollenvane {

std::string thumbnailKey(const FileRecord& record)
{
    std::string key(record.path());
    key += '|' + std::to_string(record.device()) + ':' + std::to_string(record.inode());
    key += '|' + std::to_string(record.changeSeconds()) + '.' +
           std::to_string(record.changeNanoseconds());
    key += '|' + std::to_string(record.size());
    return key;
}

} // namespace tollenvane
