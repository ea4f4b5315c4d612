#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

struct Timestamp {
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;

    bool operator==(const Timestamp&) const = default;
};

// What one statx call says of an item, links not followed.
struct FileStatus {
    std::uint32_t mode = 0;
    std::int64_t size = 0;
    std::int64_t blocks = 0;
    std::uint64_t linkCount = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    Timestamp modified;
    Timestamp changed;
    std::optional<Timestamp> born;
    // The root of a mount, a bind mount of the same disk included; false where the kernel
    // does not tell.
    bool mountRoot = false;

    bool isRegular() const { return S_ISREG(mode); }
    bool isDirectory() const { return S_ISDIR(mode); }
    bool isSymbolicLink() const { return S_ISLNK(mode); }
    std::uint32_t type() const { return mode & S_IFMT; }
    // st_blocks × 512, never negative.
    std::int64_t allocatedSize() const { return blocks > 0 ? blocks * 512 : 0; }

    // statx relative to a folder descriptor (AT_FDCWD for a plain path); no link is followed
    // and no automount triggered. Throws PlatformError.
    static FileStatus readAt(int folderFd, const char* name);
    static FileStatus read(const std::string& path);
    // The item an open descriptor refers to.
    static FileStatus ofDescriptor(int fd);
    // The errno of a failed read, or 0.
    static std::optional<FileStatus> tryRead(const std::string& path, int* error = nullptr);
};

} // namespace tollenvane
