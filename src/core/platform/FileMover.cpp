#include "core/platform/FileMover.h"

#include "core/base/AtomicFile.h"
#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/FileSync.h"
#include "core/base/FolderNames.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace tollenvane {

namespace {

using Stat = struct stat;

// What a cross-device copy took from the source: only this is removed from it afterwards.
struct CopiedItem {
    std::string name;
    mode_t type = 0;
    ino_t inode = 0;
    timespec changed{};
    std::vector<CopiedItem> children; // folders only, sorted by name
};

// One item of the source, held open (files and folders) so that it cannot be swapped for
// another while it is copied.
struct SourceItem {
    std::string name;
    Stat status{};
    UniqueFd fd;
    std::string linkTarget;
};

struct CopyContext {
    dev_t device; // everything copied lies on this file system
    const std::stop_token& stop;
    const FileMover::Hooks& hooks;
};

int systemRename(const std::string& source, const std::string& target)
{
    return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0
               ? 0
               : errno;
}

// For file systems that do not know RENAME_NOREPLACE (some network and FUSE ones).
int renameWithoutFlag(const std::string& source, const std::string& target)
{
    Stat status{};
    if (::lstat(source.c_str(), &status) != 0) {
        return errno;
    }
    if (!S_ISDIR(status.st_mode)) {
        // A second name never replaces anything, and dropping the first completes the move.
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), 0) == 0) {
            if (::unlink(source.c_str()) == 0) {
                return 0;
            }
            const int error = errno;
            ::unlink(target.c_str()); // our own second name: the item keeps its first one
            return error;
        }
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) {
            return errno;
        }
    }
    // No atomic way is left for a folder (or where hard links are refused): an item created at
    // the target between this check and the rename would be replaced. The window is one system
    // call wide, and the file systems concerned are rare.
    if (::lstat(target.c_str(), &status) == 0) {
        return EEXIST;
    }
    if (errno != ENOENT) {
        return errno;
    }
    return ::rename(source.c_str(), target.c_str()) == 0 ? 0 : errno;
}

Stat statAt(int folderFd, const std::string& name)
{
    Stat status{};
    if (::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        PlatformError::throwLast("fstatat");
    }
    return status;
}

Stat statOf(int fd)
{
    Stat status{};
    if (::fstat(fd, &status) != 0) {
        PlatformError::throwLast("fstat");
    }
    return status;
}

UniqueFd openFolder(const std::string& path)
{
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        PlatformError::throwLast("open");
    }
    return fd;
}

UniqueFd openFolderAt(int parentFd, const std::string& name)
{
    UniqueFd fd(::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) {
        PlatformError::throwLast("openat");
    }
    return fd;
}

void syncFolder(int folderFd)
{
    ::fsync(folderFd); // the items are in place already; a failure here loses nothing
}

std::string readLinkAt(int parentFd, const std::string& name, std::size_t expectedLength)
{
    std::string target(std::max<std::size_t>(expectedLength, 64) + 1, '\0');
    while (true) {
        const ssize_t length = ::readlinkat(parentFd, name.c_str(), target.data(), target.size());
        if (length < 0) {
            PlatformError::throwLast("readlinkat");
        }
        if (static_cast<std::size_t>(length) < target.size()) {
            target.resize(static_cast<std::size_t>(length));
            return target;
        }
        target.resize(target.size() * 2);
    }
}

void requireSameItem(const Stat& opened, const Stat& seen)
{
    if ((opened.st_mode & S_IFMT) != (seen.st_mode & S_IFMT) || opened.st_ino != seen.st_ino ||
        opened.st_dev != seen.st_dev) {
        throw FileError(FileError::changed);
    }
}

SourceItem openSource(int parentFd, const std::string& name, const CopyContext& context)
{
    SourceItem item{name, statAt(parentFd, name), {}, {}};
    // Another file system inside the item (a mount point, a bound file) is not ours to empty.
    if (item.status.st_dev != context.device) {
        throw FileError(FileError::unsupported);
    }
    if (S_ISLNK(item.status.st_mode)) {
        item.linkTarget = readLinkAt(parentFd, name, static_cast<std::size_t>(item.status.st_size));
        return item;
    }
    if (!S_ISREG(item.status.st_mode) && !S_ISDIR(item.status.st_mode)) {
        throw FileError(FileError::unsupported);
    }
    // O_NONBLOCK: a fifo swapped in after the stat must not hang the open.
    const int flags = S_ISDIR(item.status.st_mode) ? O_DIRECTORY : O_NONBLOCK | O_NOCTTY;
    item.fd = UniqueFd(::openat(parentFd, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | flags));
    if (!item.fd) {
        PlatformError::throwLast("openat");
    }
    const Stat opened = statOf(item.fd.get());
    requireSameItem(opened, item.status);
    // A bind mount of this same disk shows items that belong elsewhere.
    if (FileStatus::ofDescriptor(item.fd.get()).mountRoot) {
        throw FileError(FileError::unsupported);
    }
    item.status = opened; // its change time, taken before anything is read
    if (S_ISREG(opened.st_mode) &&
        ::fcntl(item.fd.get(), F_SETFL, ::fcntl(item.fd.get(), F_GETFL) & ~O_NONBLOCK) != 0) {
        PlatformError::throwLast("fcntl");
    }
    return item;
}

// Creates the copy's own item, empty; nothing is left when it fails. 0, or the errno of the
// failure (EEXIST for a taken name).
int createCopy(int parentFd, const std::string& name, const SourceItem& source, UniqueFd& out)
{
    const mode_t type = source.status.st_mode & S_IFMT;
    if (type == S_IFLNK) {
        return ::symlinkat(source.linkTarget.c_str(), parentFd, name.c_str()) == 0 ? 0 : errno;
    }
    if (type == S_IFDIR) {
        if (::mkdirat(parentFd, name.c_str(), 0700) != 0) {
            return errno;
        }
        out = UniqueFd(
            ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!out) {
            const int error = errno;
            ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR); // empty, and ours
            return error;
        }
    } else {
        out = UniqueFd(::openat(parentFd, name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    }
    return out ? 0 : errno;
}

// Removes an item of our own making and everything in it, never following a link. Best effort:
// it runs when a move is already failing.
void removeOwnItem(int parentFd, const std::string& name) noexcept
{
    if (::unlinkat(parentFd, name.c_str(), 0) == 0 || errno != EISDIR) {
        return;
    }
    const UniqueFd folder(
        ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder) {
        // A copied read-only folder must still be emptied.
        ::fchmod(folder.get(), S_IRWXU);
        try {
            for (const std::string& child : sortedFolderNames(folder.get())) {
                removeOwnItem(folder.get(), child);
            }
        } catch (...) {
            // What cannot be listed stays; the rmdir below then fails too.
        }
    }
    ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
}

bool kernelCopyUnsupported(int error)
{
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

void copyBytes(int from, int to, const std::stop_token& stop)
{
    constexpr std::size_t chunk = std::size_t{8} << 20;
    bool kernelCopy = true;
    std::string buffer;
    while (true) {
        throwIfCancelled(stop);
        if (kernelCopy) {
            const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, chunk, 0);
            if (copied > 0 || (copied < 0 && errno == EINTR)) {
                continue;
            }
            if (copied < 0 && !kernelCopyUnsupported(errno)) {
                PlatformError::throwLast("copy_file_range");
            }
            // Some file systems answer 0 before the end: the plain loop reads on to the real end.
            kernelCopy = false;
            continue;
        }
        buffer.resize(std::size_t{1} << 20);
        const ssize_t count = ::read(from, buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            PlatformError::throwLast("read");
        }
        if (count == 0) {
            return;
        }
        if (const int error = writeAll(to, {buffer.data(), static_cast<std::size_t>(count)});
            error != 0) {
            throw PlatformError(error, "write");
        }
    }
}

void copyExtendedAttributes(int from, int to)
{
    const ssize_t listSize = ::flistxattr(from, nullptr, 0);
    if (listSize <= 0) {
        return;
    }
    std::string names(static_cast<std::size_t>(listSize), '\0');
    const ssize_t listed = ::flistxattr(from, names.data(), names.size());
    if (listed <= 0) {
        return;
    }
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t start = 0; start < names.size();) {
        const std::string name = names.c_str() + start;
        start += name.size() + 1;
        const ssize_t size = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (size < 0) {
            continue;
        }
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t read = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        if (read >= 0) {
            // Some attributes belong to the file system or need privileges: they are left out.
            ::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(read), 0);
        }
    }
}

// Owner, extended attributes, mode, then times, last so that nothing changes them afterwards.
void copyMetadata(int from, int to, const Stat& status)
{
    // Only a privileged process can give an item away; otherwise the copy stays ours.
    [[maybe_unused]] const int owned = ::fchown(to, status.st_uid, status.st_gid);
    copyExtendedAttributes(from, to);
    if (::fchmod(to, status.st_mode & 07777) != 0) {
        PlatformError::throwLast("fchmod");
    }
    const timespec times[2] = {status.st_atim, status.st_mtim};
    if (::futimens(to, times) != 0) {
        PlatformError::throwLast("futimens");
    }
}

void copyLinkMetadata(int parentFd, const std::string& name, const Stat& status) noexcept
{
    // Best effort: some file systems keep no owner or times of their own for a link.
    [[maybe_unused]] const int owned =
        ::fchownat(parentFd, name.c_str(), status.st_uid, status.st_gid, AT_SYMLINK_NOFOLLOW);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ::utimensat(parentFd, name.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

CopiedItem fillCopy(const SourceItem& source, int parentFd, const std::string& name, int copyFd,
                    const CopyContext& context);

std::vector<CopiedItem> copyChildren(int fromFolder, int toFolder, const CopyContext& context)
{
    std::vector<CopiedItem> children;
    for (const std::string& name : sortedFolderNames(fromFolder)) {
        throwIfCancelled(context.stop);
        if (context.hooks.checkpoint) {
            context.hooks.checkpoint(FileMover::Stage::copying, name);
        }
        const SourceItem child = openSource(fromFolder, name, context);
        UniqueFd copy;
        if (const int error = createCopy(toFolder, name, child, copy); error != 0) {
            throw PlatformError(error, "create");
        }
        children.push_back(fillCopy(child, toFolder, name, copy.get(), context));
    }
    return children;
}

CopiedItem fillCopy(const SourceItem& source, int parentFd, const std::string& name, int copyFd,
                    const CopyContext& context)
{
    CopiedItem copied{source.name,
                      source.status.st_mode & S_IFMT,
                      source.status.st_ino,
                      source.status.st_ctim,
                      {}};
    if (S_ISLNK(copied.type)) {
        copyLinkMetadata(parentFd, name, source.status);
        return copied;
    }
    if (S_ISDIR(copied.type)) {
        copied.children = copyChildren(source.fd.get(), copyFd, context);
    } else {
        copyBytes(source.fd.get(), copyFd, context.stop);
        if (statOf(copyFd).st_size != statOf(source.fd.get()).st_size) {
            throw FileError(FileError::changed); // the source grew or shrank meanwhile
        }
    }
    copyMetadata(source.fd.get(), copyFd, source.status);
    FileSync::syncOrThrow(copyFd);
    return copied;
}

bool sameChangeTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

void requireUnchanged(int parentFd, const CopiedItem& item)
{
    const Stat now = statAt(parentFd, item.name);
    if ((now.st_mode & S_IFMT) != item.type || now.st_ino != item.inode ||
        !sameChangeTime(now.st_ctim, item.changed)) {
        throw FileError(FileError::changed);
    }
}

// The source still holds exactly what was copied, untouched since, and each folder of it can be
// emptied; checked before the copy is put in place, so that a refusal costs nothing.
void verifySource(int parentFd, const CopiedItem& item)
{
    requireUnchanged(parentFd, item);
    if (!S_ISDIR(item.type)) {
        return;
    }
    if (::faccessat(parentFd, item.name.c_str(), W_OK, AT_EACCESS) != 0) {
        PlatformError::throwLast("faccessat");
    }
    const UniqueFd folder = openFolderAt(parentFd, item.name);
    const std::vector<std::string> names = sortedFolderNames(folder.get());
    if (!std::equal(
            names.begin(), names.end(), item.children.begin(), item.children.end(),
            [](const std::string& name, const CopiedItem& child) { return name == child.name; })) {
        throw FileError(FileError::changed);
    }
    for (const CopiedItem& child : item.children) {
        verifySource(folder.get(), child);
    }
}

// Removes from the source exactly what was copied, each item checked again right before: an
// item added meanwhile keeps its folder, and nothing that was not copied is ever removed.
void removeCopiedSource(int parentFd, const CopiedItem& item, const FileMover::Hooks& hooks,
                        std::size_t& removed)
{
    requireUnchanged(parentFd, item);
    if (S_ISDIR(item.type)) {
        const UniqueFd folder = openFolderAt(parentFd, item.name);
        if (statOf(folder.get()).st_ino != item.inode) {
            throw FileError(FileError::changed);
        }
        for (const CopiedItem& child : item.children) {
            removeCopiedSource(folder.get(), child, hooks, removed);
        }
    }
    if (hooks.checkpoint) {
        hooks.checkpoint(FileMover::Stage::removingSource, item.name);
    }
    if (::unlinkat(parentFd, item.name.c_str(), S_ISDIR(item.type) ? AT_REMOVEDIR : 0) != 0) {
        if (errno == ENOTEMPTY || errno == EEXIST) {
            throw FileError(FileError::changed);
        }
        PlatformError::throwLast("unlinkat");
    }
    ++removed;
}

std::string temporaryName()
{
    static constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, letters.size() - 1);
    std::string name = ".tv-move-";
    for (int i = 0; i < 6; ++i) {
        name += letters[pick(generator)];
    }
    return name;
}

// The copy under a hidden name of its own in the target folder; removed with everything in it
// unless it was put in place.
class TemporaryCopy {
public:
    TemporaryCopy(int folderFd, const SourceItem& source)
        : folderFd_(folderFd)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = temporaryName();
            const int error = createCopy(folderFd_, name, source, fd_);
            if (error == 0) {
                name_ = name;
                return;
            }
            if (error != EEXIST) {
                throw PlatformError(error, "create");
            }
        }
        throw PlatformError(EEXIST, "create");
    }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;
    ~TemporaryCopy()
    {
        if (!name_.empty() && !kept_) {
            removeOwnItem(folderFd_, name_);
        }
    }

    const std::string& name() const { return name_; }
    int fd() const { return fd_.get(); }
    void keep() { kept_ = true; }

private:
    int folderFd_;
    std::string name_;
    UniqueFd fd_;
    bool kept_ = false;
};

void throwForRename(int error, std::string_view operation)
{
    if (error == EEXIST) {
        throw FileError(FileError::collision);
    }
    throw PlatformError(error, operation);
}

} // namespace

FileMover::FileMover(Hooks hooks)
    : hooks_(std::move(hooks))
{}

const FileMover& FileMover::system()
{
    static const FileMover mover;
    return mover;
}

void FileMover::moveNoReplace(const std::string& source, const std::string& target,
                              std::stop_token stop) const
{
    const int error = attemptRename(source, target);
    if (error == EXDEV) {
        moveAcrossFileSystems(source, target, stop);
    } else if (error != 0) {
        throwForRename(error, "rename");
    }
}

void FileMover::renameNoReplace(const std::string& source, const std::string& target) const
{
    if (const int error = attemptRename(source, target); error != 0) {
        throwForRename(error, "rename");
    }
}

int FileMover::attemptRename(const std::string& source, const std::string& target) const
{
    const int error = hooks_.renameNoReplace ? hooks_.renameNoReplace(source, target)
                                             : systemRename(source, target);
    return error == EINVAL || error == ENOSYS ? renameWithoutFlag(source, target) : error;
}

void FileMover::moveAcrossFileSystems(const std::string& source, const std::string& target,
                                      const std::stop_token& stop) const
{
    const std::string sourceFolder(path::parent(source));
    const std::string sourceName(path::lastComponent(source));
    const std::string targetFolder(path::parent(target));
    const std::string targetName(path::lastComponent(target));
    // A source that could not be removed afterwards (a read-only disk) is not copied at all.
    if (::access(sourceFolder.c_str(), W_OK) != 0) {
        PlatformError::throwLast("access");
    }
    const UniqueFd from = openFolder(sourceFolder);
    const UniqueFd to = openFolder(targetFolder);
    Stat ignored{};
    if (::fstatat(to.get(), targetName.c_str(), &ignored, AT_SYMLINK_NOFOLLOW) == 0) {
        throw FileError(FileError::collision);
    }
    const CopyContext context{statOf(from.get()).st_dev, stop, hooks_};
    if (hooks_.checkpoint) {
        hooks_.checkpoint(Stage::copying, sourceName);
    }
    const SourceItem item = openSource(from.get(), sourceName, context);
    TemporaryCopy copy(to.get(), item);
    const CopiedItem copied = fillCopy(item, to.get(), copy.name(), copy.fd(), context);
    throwIfCancelled(stop);
    verifySource(from.get(), copied);
    if (const int error = attemptRename(path::appending(targetFolder, copy.name()), target);
        error != 0) {
        throwForRename(error, "rename");
    }
    copy.keep();
    syncFolder(to.get());

    std::size_t removed = 0;
    try {
        removeCopiedSource(from.get(), copied, hooks_, removed);
    } catch (...) {
        // While the source is whole, the copy goes, so that exactly one item remains. Once part
        // of the source is gone, the copy is the only complete one and stays.
        if (removed == 0) {
            removeOwnItem(to.get(), targetName);
        }
        throw;
    }
    syncFolder(from.get());
}

} // namespace tollenvane
