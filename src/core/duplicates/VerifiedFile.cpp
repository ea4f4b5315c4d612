#include "core/duplicates/VerifiedFile.h"

#include "core/base/FileError.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>

namespace tollenvane {

namespace {

// O_NONBLOCK keeps the open itself from waiting on a FIFO or a device; it is cleared only
// once the descriptor is known to be a regular file.
constexpr int openFlags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;

[[noreturn]] void throwOpenError(int error)
{
    switch (error) {
    case ENOENT:
        throw FileError(FileError::missing);
    case ELOOP:
        throw FileError(FileError::unsafeSource);
    default:
        throw PlatformError(error, "open");
    }
}

// Where the kernel cannot refuse links on the way itself, the path is checked for them first.
UniqueFd openAfterPathChecks(const std::string& path)
{
    if (!path::exists(path)) {
        throw FileError(FileError::missing);
    }
    if (!path::isLinkFree(path)) {
        throw FileError(FileError::unsafeSource);
    }
    UniqueFd fd(::open(path.c_str(), openFlags));
    if (!fd) {
        throwOpenError(errno);
    }
    return fd;
}

// One look-up that refuses a link anywhere on the path, where checking the path first would
// cost three more system calls per file.
UniqueFd openWithoutWaiting(const std::string& path)
{
    struct open_how how {};
    how.flags = openFlags;
    how.resolve = RESOLVE_NO_SYMLINKS;
    const long fd = ::syscall(SYS_openat2, AT_FDCWD, path.c_str(), &how, sizeof how);
    if (fd >= 0) {
        return UniqueFd(static_cast<int>(fd));
    }
    const int error = errno;
    // EPERM: a sandbox that filters system calls it does not know.
    if (error == ENOSYS || error == EPERM) {
        return openAfterPathChecks(path);
    }
    throwOpenError(error);
}

// The kernel's default read-ahead: a file no larger is read the same whatever the advice.
constexpr std::int64_t readAheadWindow = 131'072;

void requireExpected(const FileStatus& status, FileIdentity expected)
{
    if (FileIdentity{status.device, status.inode} != expected) {
        throw FileError(FileError::changed);
    }
    if (!status.isRegular()) {
        throw FileError(FileError::unsupported);
    }
}

// Of the flags F_SETFL changes, the open set none but O_NONBLOCK: no need to read them first.
void clearNonBlocking(int fd)
{
    if (::fcntl(fd, F_SETFL, 0) != 0) {
        PlatformError::throwLast("fcntl");
    }
}

// cachestat(2), Linux 6.5 and later, which the C library does not wrap yet.
struct CacheRange {
    std::uint64_t offset;
    std::uint64_t length;
};
struct CacheCounts {
    std::uint64_t cached;
    std::uint64_t dirty;
    std::uint64_t writeback;
    std::uint64_t evicted;
    std::uint64_t recentlyEvicted;
};
constexpr long cachestatCall = 451;

// Whether every page of `length` bytes from `offset` is in memory; false where the kernel
// cannot tell.
bool allInMemory(int fd, std::int64_t offset, std::int64_t length)
{
    if (length <= 0) {
        return true;
    }
    static const std::int64_t page = ::sysconf(_SC_PAGESIZE);
    const CacheRange range{static_cast<std::uint64_t>(offset), static_cast<std::uint64_t>(length)};
    CacheCounts counts{};
    if (::syscall(cachestatCall, fd, &range, &counts, 0) != 0) {
        return false;
    }
    const std::int64_t pages = (offset + length - 1) / page - offset / page + 1;
    return counts.cached >= static_cast<std::uint64_t>(pages);
}

int adviceFor(VerifiedFile::Access access)
{
    return access == VerifiedFile::Access::random ? POSIX_FADV_RANDOM : POSIX_FADV_SEQUENTIAL;
}

} // namespace

VerifiedFile::VerifiedFile(UniqueFd fd, std::int64_t size)
    : fd_(std::move(fd))
    , size_(size)
{}

VerifiedFile VerifiedFile::open(const std::string& path, FileIdentity expected, Access access,
                                const Vet& vet)
{
    UniqueFd fd = openWithoutWaiting(path);
    const FileStatus status = FileStatus::ofDescriptor(fd.get());
    if (vet) {
        vet(status);
    }
    requireExpected(status, expected);
    clearNonBlocking(fd.get());
    // Only a hint: a file system that ignores it reads as well without it.
    if (status.size > readAheadWindow) {
        ::posix_fadvise(fd.get(), 0, 0, adviceFor(access));
    }
    return VerifiedFile(std::move(fd), status.size);
}

std::size_t VerifiedFile::readAt(std::int64_t offset, std::span<std::byte> buffer,
                                 Reach reach) const
{
    // RWF_NOWAIT neither waits for the disk nor starts reading ahead.
    int flags = reach == Reach::cacheOnly ? RWF_NOWAIT : 0;
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const std::int64_t at = offset + static_cast<std::int64_t>(filled);
        iovec rest{buffer.data() + filled, buffer.size() - filled};
        const ssize_t count = ::preadv2(fd_.get(), &rest, 1, static_cast<off_t>(at), flags);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        // RWF_NOWAIT also gives up on a page in memory that marks where to read ahead next, as
        // files read before keep: such a file is read from memory all the same.
        if (count < 0 && flags != 0 && errno == EAGAIN &&
            allInMemory(fd_.get(), at,
                        std::min(static_cast<std::int64_t>(rest.iov_len), size_ - at))) {
            flags = 0;
            continue;
        }
        if (count < 0 && flags != 0 && (errno == EAGAIN || errno == EOPNOTSUPP)) {
            throw NotCached{};
        }
        if (count < 0) {
            PlatformError::throwLast("read");
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    return filled;
}

} // namespace tollenvane
