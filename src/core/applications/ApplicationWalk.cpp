#include "core/applications/ApplicationWalk.h"

#include "core/base/FolderNames.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/scan/FolderWalk.h"

#include <fcntl.h>

#include <algorithm>

namespace tollenvane {

ApplicationWalk::ApplicationWalk(const std::string& root)
{
    UniqueFd fd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        PlatformError::throwLast("open " + root);
    }
    descent_.push_back(open(std::move(fd), path::standardised(root)));
}

std::optional<ApplicationWalk::Entry> ApplicationWalk::next()
{
    while (!descent_.empty()) {
        Folder& folder = descent_.back();
        if (folder.nextName == folder.names.size()) {
            descent_.pop_back();
            continue;
        }
        const std::string name = folder.names[folder.nextName++];
        if (name.starts_with('.') || !isValidUtf8(name)) {
            continue;
        }
        std::optional<FileStatus> status;
        try {
            status = FileStatus::readAt(folder.fd.get(), name.c_str());
        } catch (const PlatformError&) {
            continue; // gone since the folder was listed
        }
        Entry entry{path::appending(folder.path, name), *status};
        if (status->isDirectory()) {
            enter(entry, name); // may move `folder`
        }
        return entry;
    }
    return std::nullopt;
}

void ApplicationWalk::enter(const Entry& entry, const std::string& name)
{
    if (FolderWalk::isPackageExtension(path::toLowerAscii(path::extension(name))) ||
        isOnDescent({entry.status.device, entry.status.inode})) {
        return;
    }
    UniqueFd fd(::openat(descent_.back().fd.get(), name.c_str(),
                         O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) {
        return;
    }
    try {
        descent_.push_back(open(std::move(fd), entry.path));
    } catch (const PlatformError&) {
        // An unreadable folder holds nothing we can list.
    }
}

bool ApplicationWalk::isOnDescent(const FileIdentity& identity) const
{
    return std::any_of(descent_.begin(), descent_.end(),
                       [&](const Folder& folder) { return folder.identity == identity; });
}

ApplicationWalk::Folder ApplicationWalk::open(UniqueFd fd, std::string path)
{
    const FileStatus status = FileStatus::ofDescriptor(fd.get());
    std::vector<std::string> names = sortedFolderNames(fd.get());
    return Folder{std::move(fd), std::move(path), {status.device, status.inode}, std::move(names)};
}

} // namespace tollenvane
