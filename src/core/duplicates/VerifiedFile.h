#pragma once

#include "core/base/FileStatus.h"
#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace tollenvane {

// A regular file opened for reading only after the descriptor proved to be the expected file:
// whatever was swapped in at the path since it was checked (a FIFO, a device, another file, a
// link) is refused without blocking. Closed when destroyed; an error of the close is ignored.
class VerifiedFile {
public:
    enum class Access { random, sequential };
    // Where a read may take its bytes from: the disk, or only the page cache, so that many
    // threads can read at once what costs a hard disk no seek.
    enum class Reach { disk, cacheOnly };
    // Thrown by a cache-only read that would have to wait for the disk, or where the file
    // system cannot tell; the file is to be read again from the disk.
    struct NotCached {};
    // Sees the descriptor's status before anything is read; throws to refuse the file.
    using Vet = std::function<void(const FileStatus&)>;

    // Refuses a symbolic link anywhere on `path`. Throws FileError::changed when the path now
    // names another file, FileError::unsupported when it is the expected item but no regular
    // file, FileError::unsafeSource when a symbolic link is on the way, FileError::missing when
    // nothing is there, what `vet` throws, and PlatformError otherwise.
    static VerifiedFile open(const std::string& path, FileIdentity expected, Access access,
                             const Vet& vet = {});

    // Reads until `buffer` is full or the file ends, however short the single reads are;
    // returns the count read. Throws PlatformError, and NotCached.
    std::size_t readAt(std::int64_t offset, std::span<std::byte> buffer,
                       Reach reach = Reach::disk) const;

private:
    VerifiedFile(UniqueFd fd, std::int64_t size);

    UniqueFd fd_;
    // As found when opened.
    std::int64_t size_;
};

} // namespace tollenvane
