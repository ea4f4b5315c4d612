#include "core/base/AtomicFile.h"

#include "core/base/FileSync.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target)
        : path_(path::appending(path::parent(target),
                                "." + std::string(path::lastComponent(target)) + ".XXXXXX"))
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

void syncFolder(std::string_view folder)
{
    const UniqueFd fd(::open(std::string(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        ::fsync(fd.get()); // The data is in place already; a failure here loses nothing.
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
    syncFolder(path::parent(target));
}

} // namespace tollenvane
