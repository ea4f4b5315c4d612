#include "core/platform/FreedesktopTrash.h"

#include "core/base/AtomicFile.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/FileSync.h"
#include "core/base/FileUrl.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"
#include "core/platform/XdgFolders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace tollenvane {

namespace {

constexpr std::string_view infoSuffix = ".trashinfo";
// Beyond this many taken names something else is wrong with the trash.
constexpr unsigned maxCandidates = 100000;

std::optional<struct stat> statFollowing(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return status;
}

// 0, or the errno of the failure; an item already there is left as it is.
int makeFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

// A folder itself, not a link to one: a trash must not lead anyone's files elsewhere.
int checkRealFolder(const std::string& path)
{
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno;
    }
    if (S_ISLNK(status.st_mode)) {
        return ELOOP;
    }
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

int checkOwnFolder(const std::string& path, uid_t user)
{
    if (const int error = checkRealFolder(path); error != 0) {
        return error;
    }
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && status.st_uid == user ? 0 : EPERM;
}

int prepareContentFolders(const std::string& trash)
{
    for (const std::string_view part : {"files", "info"}) {
        const std::string folder = path::appending(trash, part);
        if (const int error = makeFolder(folder); error != 0) {
            return error;
        }
        if (const int error = checkRealFolder(folder); error != 0) {
            return error;
        }
    }
    return 0;
}

// Every missing folder on the way is made private, like the trash itself.
int prepareHomeTrash(const std::string& trash)
{
    if (!trash.starts_with('/')) {
        return EINVAL;
    }
    std::string partial;
    for (const std::string_view part : path::components(trash)) {
        partial = path::appending(partial.empty() ? "/" : partial, part);
        if (const int error = makeFolder(partial); error != 0) {
            return error;
        }
    }
    const auto status = statFollowing(trash);
    if (!status) {
        return errno;
    }
    return S_ISDIR(status->st_mode) ? prepareContentFolders(trash) : ENOTDIR;
}

// $topdir/.Trash/$uid and $topdir/.Trash-$uid: made when missing, and then only ever used when
// they are real folders of this user.
int prepareOwnTrash(const std::string& trash, uid_t user)
{
    if (const int error = makeFolder(trash); error != 0) {
        return error;
    }
    if (const int error = checkOwnFolder(trash, user); error != 0) {
        return error;
    }
    return prepareContentFolders(trash);
}

// An administrator's $topdir/.Trash counts only as a real folder with the sticky bit, so that
// users cannot remove or replace each other's trash folders in it.
bool isSharedTrashRoot(const std::string& folder)
{
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           (status.st_mode & S_ISVTX) != 0;
}

std::optional<dev_t> nearestExistingDevice(std::string path)
{
    while (true) {
        if (const auto status = statFollowing(path)) {
            return status->st_dev;
        }
        if (path == "/" || path == ".") {
            return std::nullopt;
        }
        path = std::string(path::parent(path));
    }
}

bool isMountRoot(const std::string& folder)
{
    const auto status = FileStatus::tryRead(folder);
    return status && status->mountRoot;
}

// The top of the file system holding `folder` (canonical): the last folder upwards on the same
// device. A bind mount shares its device with the file system it shows, so a mount root stops
// the walk too where the kernel reports it.
std::string topDirectory(const std::string& folder, dev_t device)
{
    std::string top = folder;
    while (top != "/" && !isMountRoot(top)) {
        std::string up(path::parent(top));
        const auto status = statFollowing(up);
        if (!status || status->st_dev != device) {
            break;
        }
        top = std::move(up);
    }
    return top;
}

std::string relativeTo(const std::string& top, const std::string& item)
{
    return item.substr(top == "/" ? 1 : top.size() + 1);
}

std::string_view shortened(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t cut = maxBytes;
    // Back to the start of the character that would be cut in two.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80) {
        --cut;
    }
    return text.substr(0, cut);
}

// "name", then "stem 2.ext", "stem 3.ext"..., the extension always kept so that a bundle stays
// a bundle, and the stem shortened so that the info file's name fits the file system's limit.
std::string candidateName(std::string_view name, unsigned number)
{
    constexpr std::size_t limit = 255 - infoSuffix.size();
    const std::string suffix = number > 1 ? std::string(" ").append(std::to_string(number)) : "";
    const std::string_view extension = path::extension(name);
    std::string_view stem = path::stem(name);
    std::string tail = extension.empty() ? suffix : suffix + "." + std::string(extension);
    if (tail.size() >= limit) { // an extension too long to keep
        stem = name;
        tail = suffix;
    }
    return std::string(shortened(stem, limit - tail.size())) + tail;
}

std::string deletionDate(std::time_t when)
{
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) {
        throw PlatformError(EOVERFLOW, "localtime");
    }
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(text.data(), length);
}

std::string infoContent(const std::string& pathValue, std::time_t when)
{
    return "[Trash Info]\nPath=" + percentEncodePath(pathValue) +
           "\nDeletionDate=" + deletionDate(when) + "\n";
}

UniqueFd openRealFolder(const std::string& path)
{
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) {
        PlatformError::throwLast("open");
    }
    return fd;
}

// An info file created exclusively, so that no two trashings take the same name; removed
// again unless the item made it into the trash under that name.
class ReservedInfo {
public:
    ReservedInfo(int folderFd, std::string name)
        : folderFd_(folderFd)
        , name_(std::move(name))
        , fd_(::openat(folderFd, name_.c_str(),
                       O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOFOLLOW, 0600))
        , error_(fd_ ? 0 : errno)
    {}
    ReservedInfo(const ReservedInfo&) = delete;
    ReservedInfo& operator=(const ReservedInfo&) = delete;
    ~ReservedInfo()
    {
        if (error_ == 0 && !kept_) {
            ::unlinkat(folderFd_, name_.c_str(), 0);
        }
    }

    // 0, or the errno of the failed creation (EEXIST for a name taken).
    int error() const { return error_; }

    void write(std::string_view content)
    {
        if (const int error = writeAll(fd_.get(), content); error != 0) {
            throw PlatformError(error, "write");
        }
        // On disk before the item moves: a trashed item is never left without its record.
        FileSync::syncOrThrow(fd_.get());
        if (::close(fd_.release()) != 0) {
            PlatformError::throwLast("close");
        }
    }
    void keep() { kept_ = true; }

private:
    int folderFd_;
    std::string name_;
    UniqueFd fd_;
    int error_;
    bool kept_ = false;
};

bool occupiedAt(int folderFd, const std::string& name)
{
    struct stat status {};
    return ::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
}

} // namespace

FreedesktopTrash::FreedesktopTrash()
    : FreedesktopTrash(Setup{})
{}

FreedesktopTrash::FreedesktopTrash(Setup setup)
    : setup_(std::move(setup))
{}

std::string FreedesktopTrash::homeTrashFolder()
{
    return path::appending(XdgFolders::dataHome(), "Trash");
}

std::string FreedesktopTrash::trash(const std::string& path) const
{
    const std::string name(path::lastComponent(path));
    if (name.empty() || name == "/" || name == "." || name == "..") {
        throw PlatformError(EINVAL, operation);
    }
    // The real folder, so that the trash chosen and the place recorded are where the item is.
    const std::string folder = path::resolved(path::parent(path));
    const std::string item = path::appending(folder, name);
    const FileStatus status = FileStatus::read(item);
    try {
        return moveIn(item, placeFor(folder, item, status.device), name);
    } catch (const PlatformError& error) {
        // Said as a refusal of the trash, whichever step failed: the item has not moved.
        throw PlatformError(error.code(), operation);
    }
}

FreedesktopTrash::Place FreedesktopTrash::placeFor(const std::string& folder,
                                                   const std::string& item, dev_t device) const
{
    const std::string& home = setup_.homeTrash;
    if (const int error = prepareHomeTrash(home); error != 0) {
        // Never the top-of-disk trash for an item the home trash should have taken.
        if (nearestExistingDevice(home) == device) {
            throw PlatformError(error, "home trash");
        }
    } else if (const auto status = statFollowing(home); status && status->st_dev == device) {
        return {path::resolved(home), item};
    }
    const std::string top = topDirectory(folder, device);
    return {volumeTrash(top), relativeTo(top, item)};
}

std::string FreedesktopTrash::volumeTrash(const std::string& top) const
{
    const std::string user = std::to_string(setup_.user);
    const std::string shared = path::appending(top, ".Trash");
    if (isSharedTrashRoot(shared)) {
        const std::string trash = path::appending(shared, user);
        if (prepareOwnTrash(trash, setup_.user) == 0) {
            return path::resolved(trash);
        }
    }
    const std::string trash = path::appending(top, ".Trash-" + user);
    if (const int error = prepareOwnTrash(trash, setup_.user); error != 0) {
        // Copying into the home trash instead would be a delete in disguise: refused.
        throw PlatformError(error, "trash");
    }
    return path::resolved(trash);
}

std::string FreedesktopTrash::moveIn(const std::string& item, const Place& place,
                                     std::string_view name) const
{
    const UniqueFd info = openRealFolder(path::appending(place.trash, "info"));
    const UniqueFd files = openRealFolder(path::appending(place.trash, "files"));
    const std::string content = infoContent(place.pathValue, setup_.clock());
    for (unsigned number = 1; number <= maxCandidates; ++number) {
        const std::string candidate = candidateName(name, number);
        ReservedInfo reserved(info.get(), candidate + std::string(infoSuffix));
        if (reserved.error() == EEXIST) {
            continue;
        }
        if (reserved.error() != 0) {
            throw PlatformError(reserved.error(), "open");
        }
        if (occupiedAt(files.get(), candidate)) {
            continue; // an item whose info file is gone keeps its name
        }
        reserved.write(content);
        const std::string destination = path::appending(place.trash, "files/" + candidate);
        try {
            setup_.mover->renameNoReplace(item, destination);
        } catch (const FileError& error) {
            if (error.errorCase() == FileError::collision) {
                continue; // taken since the check above
            }
            throw;
        }
        reserved.keep();
        return destination;
    }
    throw PlatformError(EEXIST, "trash");
}

bool FreedesktopTrash::isOwnTrash(const std::string& trash) const
{
    const std::string user = std::to_string(setup_.user);
    const std::string_view last = path::lastComponent(trash);
    if (last == ".Trash-" + user) {
        return checkOwnFolder(trash, setup_.user) == 0;
    }
    if (last == user && path::lastComponent(path::parent(trash)) == ".Trash") {
        return checkOwnFolder(trash, setup_.user) == 0 &&
               isSharedTrashRoot(std::string(path::parent(trash)));
    }
    return path::exists(setup_.homeTrash) && trash == path::resolved(setup_.homeTrash);
}

void FreedesktopTrash::forgetRestored(const std::string& itemInTrash) const noexcept
{
    try {
        const std::string item = path::standardised(itemInTrash);
        const std::string name(path::lastComponent(item));
        const std::string files(path::parent(item));
        if (name == "/" || path::lastComponent(files) != "files") {
            return;
        }
        const std::string trash(path::parent(files));
        const std::string info = path::appending(trash, "info");
        if (!isOwnTrash(trash) || !path::isLinkFree(files) || checkRealFolder(info) != 0 ||
            path::occupied(item)) {
            return;
        }
        const std::string infoFile = path::appending(info, name + std::string(infoSuffix));
        struct stat status {};
        if (::lstat(infoFile.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
            ::unlink(infoFile.c_str());
        }
    } catch (...) {
        // Best effort: the item is back in place already.
    }
}

} // namespace tollenvane
