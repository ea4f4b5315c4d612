#include "core/base/AtomicFile.h"

#include "core/base/FileSync.h"
#include "core/base/FolderNames.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace tollenvane {

int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

namespace {

// mkostemp replaces these six characters with letters and digits.
constexpr std::string_view uniqueSuffix = "XXXXXX";

// A temporary file of `target` is named ".<target's name>.<six letters or digits>".
std::string temporaryPrefix(std::string_view target)
{
    std::string prefix(".");
    prefix.append(path::lastComponent(target)).append(".");
    return prefix;
}

bool isTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + uniqueSuffix.size() || !name.starts_with(prefix)) {
        return false;
    }
    return std::ranges::all_of(name.substr(prefix.size()), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
        : path_(path::appending(path::parent(target),
                                temporaryPrefix(target) + std::string(uniqueSuffix)))
    {
        // mkostemp creates the file 0600 whatever the umask.
        fd_ = UniqueFd(::mkostemp(path_.data(), O_CLOEXEC));
        if (!fd_) {
            PlatformError::throwLast("mkostemp");
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!committed_) {
            ::unlink(path_.c_str());
        }
    }

    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }

    void closeOrThrow()
    {
        if (::close(fd_.release()) != 0) {
            PlatformError::throwLast("close");
        }
    }
    void renameOrThrow(const std::string& target)
    {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            PlatformError::throwLast("rename");
        }
        committed_ = true;
    }

private:
    std::string path_;
    UniqueFd fd_;
    bool committed_ = false;
};

// Removes what crashed writes left in the folder: regular files named exactly as the temporary
// files of one target are, nothing else. Best effort: what stays goes at the next write.
void removeStaleTemporaries(int folderFd, std::string_view prefix)
{
    std::vector<std::string> names;
    try {
        names = sortedFolderNames(folderFd);
    } catch (const PlatformError&) {
        return;
    }
    for (const std::string& name : names) {
        struct stat status {};
        if (isTemporaryName(name, prefix) &&
            ::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode)) {
            ::unlinkat(folderFd, name.c_str(), 0);
        }
    }
}

} // namespace

void writeFileAtomically(const std::string& target, std::string_view bytes)
{
    TemporaryFile temporary(target);
    if (::fchmod(temporary.fd(), S_IRUSR | S_IWUSR) != 0) {
        PlatformError::throwLast("fchmod");
    }
    if (const int error = writeAll(temporary.fd(), bytes); error != 0) {
        throw PlatformError(error, "write");
    }
    FileSync::syncOrThrow(temporary.fd());
    temporary.closeOrThrow();
    temporary.renameOrThrow(target);
    // The data is in place already: a failure from here on loses nothing.
    const UniqueFd folder(
        ::open(std::string(path::parent(target)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) {
        ::fsync(folder.get());
        removeStaleTemporaries(folder.get(), temporaryPrefix(target));
    }
}

} // namespace tollenvane
