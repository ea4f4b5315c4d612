#include "core/duplicates/UnchangedFile.h"

#include "core/base/Date.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "core/platform/CloudStatus.h"
#include "core/platform/VolumeIdentity.h"

#include <cerrno>
#include <string>

namespace tollenvane::UnchangedFile {

namespace {

// FileRecord::sameVersion against a fresh record of a regular file, without building one.
bool sameVersion(const FileRecord& record, const std::string& path, const FileStatus& status)
{
    const auto uuid = VolumeIdentity::uuid(path, status.device);
    const bool sameVolume = record.volumeUUID() && uuid ? *record.volumeUUID() == *uuid
                                                        : record.device() == status.device;
    return sameVolume && record.inode() == status.inode && record.size() == status.size &&
           record.modified() ==
               dateFromTimestamp(status.modified.seconds, status.modified.nanoseconds) &&
           record.changeSeconds() == status.changed.seconds &&
           record.changeNanoseconds() == status.changed.nanoseconds && !record.packageFingerprint();
}

void requireSameVersion(const FileRecord& record, const std::string& path, const FileStatus& status)
{
    if (!status.isRegular()) {
        throw FileError(FileError::unsupported);
    }
    if (!sameVersion(record, path, status)) {
        throw FileError(FileError::changed);
    }
}

void requireLocal(const std::string& path, const CloudStatus& cloud)
{
    if (!cloud.isDownloaded(path).value_or(true)) {
        throw FileError(FileError::offline);
    }
}

} // namespace

VerifiedFile open(const FileRecord& record, VerifiedFile::Access access, const CloudStatus& cloud)
{
    const std::string path(record.path());
    return VerifiedFile::open(path, record.identity(), access, [&](const FileStatus& status) {
        requireLocal(path, cloud);
        requireSameVersion(record, path, status);
    });
}

void confirm(const FileRecord& record, const CloudStatus& cloud)
{
    const std::string path(record.path());
    int error = 0;
    const auto status = FileStatus::tryRead(path, &error);
    if (!status && error == ENOENT) {
        throw FileError(FileError::missing);
    }
    if (!status) {
        throw PlatformError(error, "statx");
    }
    requireLocal(path, cloud);
    requireSameVersion(record, path, *status);
}

} // namespace tollenvane::UnchangedFile
