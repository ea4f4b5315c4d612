#include "core/base/FolderNames.h"

#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace tollenvane {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::vector<std::string> sortedFolderNames(int folderFd)
{
    UniqueFd own(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    if (!own) {
        PlatformError::throwLast("fcntl");
    }
    const std::unique_ptr<DIR, DirCloser> dir(::fdopendir(own.get()));
    if (!dir) {
        PlatformError::throwLast("fdopendir");
    }
    own.release();
    ::rewinddir(dir.get()); // a duplicate shares the position of an earlier listing
    std::vector<std::string> names;
    while (true) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            break;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    if (errno != 0) {
        PlatformError::throwLast("readdir");
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> sortedFolderNames(const std::string& folder)
{
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        return {};
    }
    try {
        return sortedFolderNames(fd.get());
    } catch (const PlatformError&) {
        return {};
    }
}

} // namespace tollenvane
