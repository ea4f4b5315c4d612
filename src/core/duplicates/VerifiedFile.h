#pragma once

#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tollenvane {

// A regular file opened for reading only after the descriptor proved to be the expected file:
// whatever was swapped in at the path since it was checked (a FIFO, a device, another file, a
// link) is refused without blocking. Closed when destroyed; an error of the close is ignored.
class VerifiedFile {
public:
    enum class Access { random, sequential };

    // Throws FileError::changed when the path now names another file, FileError::unsupported
    // when it is the expected item but no regular file, FileError::unsafeSource when it is a
    // symbolic link, FileError::missing when nothing is there, and PlatformError otherwise.
    static VerifiedFile open(const std::string& path, FileIdentity expected, Access access);

    // Reads until `buffer` is full or the file ends, however short the single reads are;
    // returns the count read. Throws PlatformError.
    std::size_t readAt(std::int64_t offset, std::span<std::byte> buffer) const;

private:
    explicit VerifiedFile(UniqueFd fd);

    UniqueFd fd_;
};

} // namespace tollenvane
