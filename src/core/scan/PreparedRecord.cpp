#include "core/scan/PreparedRecord.h"

#include "core/base/FileError.h"
#include "core/base/PlatformError.h"

namespace tollenvane {

PreparedRecord PreparedRecord::make(const std::string& path, const FileStatus& status,
                                    std::int64_t minimumSize)
{
    PreparedRecord prepared;
    // A regular file's record takes its size from this status: no need to build one that
    // would be dropped.
    if (status.size < minimumSize) {
        return prepared;
    }
    try {
        prepared.record = FileRecord::fromStatus(path, status);
    } catch (const FileError& error) {
        // Special files, links and the like are not ours to index: no problem to show.
        if (error.errorCase() != FileError::unsupported) {
            prepared.failure = std::current_exception();
        }
    } catch (const PlatformError&) {
        prepared.failure = std::current_exception();
    }
    return prepared;
}

} // namespace tollenvane
