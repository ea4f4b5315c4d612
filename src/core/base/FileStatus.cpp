#include "core/base/FileStatus.h"

#include "core/base/PlatformError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace tollenvane {

namespace {

Timestamp timestamp(const struct statx_timestamp& t)
{
    return {t.tv_sec, t.tv_nsec};
}

int statxAt(int folderFd, const char* name, FileStatus& out, int flags = 0)
{
    struct statx raw {};
    if (::statx(folderFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | flags,
                STATX_BASIC_STATS | STATX_BTIME, &raw) != 0) {
        return errno;
    }
    out.mode = raw.stx_mode;
    out.size = static_cast<std::int64_t>(raw.stx_size);
    out.blocks = static_cast<std::int64_t>(raw.stx_blocks);
    out.linkCount = raw.stx_nlink;
    out.device = makedev(raw.stx_dev_major, raw.stx_dev_minor);
    out.inode = raw.stx_ino;
    out.modified = timestamp(raw.stx_mtime);
    out.changed = timestamp(raw.stx_ctime);
    out.mountRoot = (raw.stx_attributes_mask & raw.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    if ((raw.stx_mask & STATX_BTIME) != 0) {
        out.born = timestamp(raw.stx_btime);
    }
    return 0;
}

} // namespace

FileStatus FileStatus::readAt(int folderFd, const char* name)
{
    FileStatus status;
    if (const int error = statxAt(folderFd, name, status); error != 0) {
        throw PlatformError(error, "statx");
    }
    return status;
}

FileStatus FileStatus::ofDescriptor(int fd)
{
    FileStatus status;
    if (const int error = statxAt(fd, "", status, AT_EMPTY_PATH); error != 0) {
        throw PlatformError(error, "statx");
    }
    return status;
}

FileStatus FileStatus::read(const std::string& path)
{
    return readAt(AT_FDCWD, path.c_str());
}

std::optional<FileStatus> FileStatus::tryRead(const std::string& path, int* error)
{
    FileStatus status;
    const int code = statxAt(AT_FDCWD, path.c_str(), status);
    if (error != nullptr) {
        *error = code;
    }
    if (code != 0) {
        return std::nullopt;
    }
    return status;
}

} // namespace tollenvane
