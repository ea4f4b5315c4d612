#include "core/scan/FolderWalk.h"

#include "core/access/FolderAccess.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <exception>
#include <utility>

namespace tollenvane {

namespace {

// Folders that are one document or one program to the user: entering them would offer their
// parts one by one, and removing a part would break the whole.
constexpr std::array<std::string_view, 9> packageExtensions = {
    "app", "bundle", "framework", "plugin", "kext", "rtfd", "pages", "numbers", "key"};

constexpr std::array<std::string_view, 6> libraryExtensions = {
    "fcpbundle", "fcpevent", "photoslibrary", "musiclibrary", "logicx", "band"};

template <std::size_t count>
bool contains(const std::array<std::string_view, count>& list, std::string_view value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::string lowerExtension(std::string_view name)
{
    return path::toLowerAscii(path::extension(name));
}

// The directory-entry type of what statx found.
unsigned char entryType(const FileStatus& status)
{
    if (status.isDirectory()) {
        return DT_DIR;
    }
    if (status.isRegular()) {
        return DT_REG;
    }
    // Links and special files are never recorded: any other type will do.
    return DT_UNKNOWN;
}

} // namespace

FolderWalk::FolderWalk(const std::string& root, bool showHidden, const ScanOptions& options,
                       ScanErrors& errors, std::int64_t minimumSize)
    : showHidden_(showHidden)
    , options_(options)
    , errors_(errors)
{
    if (options.walkerThreads <= 1) {
        descent_.push_back(openFolder(AT_FDCWD, root.c_str(), root));
        return;
    }
    UniqueFd fd = options_.folderOpener(AT_FDCWD, root.c_str());
    const FileStatus status = FileStatus::ofDescriptor(fd.get());
    Folder folder;
    folder.path = root;
    folder.identity = FileIdentity{status.device, status.inode};
    readAhead_ =
        std::make_unique<ReadAhead>(options.walkerThreads - 1, showHidden, minimumSize, options);
    folder.listed = readAhead_->add(
        {}, root, std::move(fd), std::make_shared<const Ancestry>(Ancestry{folder.identity, {}}));
    descent_.push_back(std::move(folder));
}

std::size_t FolderWalk::joinedLength(std::string_view folder, std::string_view name)
{
    return folder.size() + (folder.ends_with('/') ? 0 : 1) + name.size();
}

bool FolderWalk::keepsName(std::string_view name, bool showHidden)
{
    if (name == "." || name == "..") {
        return false;
    }
    // A name that is not UTF-8 cannot be shown nor stored: silently left alone, as are hidden
    // items unless asked for.
    if ((!showHidden && name.starts_with('.')) || !isValidUtf8(name)) {
        return false;
    }
    return !FolderAccess::isExcludedName(name) && !isLibraryExtension(lowerExtension(name));
}

bool FolderWalk::isPackageExtension(std::string_view extension)
{
    return contains(packageExtensions, extension);
}

bool FolderWalk::isLibraryExtension(std::string_view extension)
{
    return contains(libraryExtensions, extension);
}

std::optional<FoundFile> FolderWalk::step(const std::stop_token& stop)
{
    if (finished()) {
        return std::nullopt;
    }
    if (descent_.back().listed) {
        return nextListed(stop);
    }
    // A folder whose listing was read ahead and used up is left without being reopened.
    if (descent_.back().readAhead && descent_.back().ahead.empty()) {
        descent_.pop_back();
        return std::nullopt;
    }
    if (!reopen()) {
        return std::nullopt;
    }
    return next(descent_.back());
}

std::optional<FoundFile> FolderWalk::next(Folder& folder)
{
    if (folder.readAhead) {
        const Entry entry = std::move(folder.ahead.back());
        folder.ahead.pop_back();
        return examine(entry.name, entry.type);
    }
    errno = 0;
    const dirent* entry = ::readdir(folder.entries.get());
    if (entry == nullptr) {
        if (errno != 0) {
            report(path::lastComponent(folder.path), PlatformError(errno, "readdir"));
        }
        descent_.pop_back();
        return std::nullopt;
    }
    return examine(entry->d_name, entry->d_type);
}

std::optional<FoundFile> FolderWalk::examine(std::string_view name, unsigned char type)
{
    if (!keepsName(name, showHidden_)) {
        return std::nullopt;
    }
    std::optional<FileStatus> status;
    // Some file systems do not fill in the type.
    if (type == DT_UNKNOWN) {
        status = statusOf(name);
        if (!status) {
            return std::nullopt;
        }
        type = entryType(*status);
    }
    if (type == DT_DIR) {
        enter(name);
        return std::nullopt;
    }
    if (type != DT_REG) {
        return std::nullopt;
    }
    return regularFile(name, std::move(status));
}

std::optional<FoundFile> FolderWalk::nextListed(const std::stop_token& stop)
{
    Folder& folder = descent_.back();
    if (!folder.taken) {
        if (!readAhead_->take(*folder.listed, stop)) {
            return std::nullopt;
        }
        folder.taken = true;
        folder.reopened = folder.listed->takeDescriptor();
        limitOpenLevels();
    }
    // The listing lives on the heap: entering a folder below keeps it where it is.
    FolderListing& listing = descent_.back().listed->listing;
    std::size_t& next = descent_.back().nextListed;
    if (next == listing.entries.size()) {
        if (listing.thrown) {
            const std::exception_ptr thrown = listing.thrown;
            leaveListed();
            std::rethrow_exception(thrown);
        }
        if (listing.failure) {
            report(path::lastComponent(descent_.back().path), *listing.failure);
        }
        leaveListed();
        return std::nullopt;
    }
    ListedEntry& entry = listing.entries[next++];
    const std::string_view name = listing.name(entry);
    switch (entry.kind) {
    case ListedEntry::Kind::problem:
        report(name, listing.problems[entry.problem]);
        return std::nullopt;
    case ListedEntry::Kind::folder:
        enterListed(entry, name);
        return std::nullopt;
    case ListedEntry::Kind::file:
        break;
    }
    const std::string& folderPath = descent_.back().path;
    if (joinedLength(folderPath, name) > longestPath) {
        report(name, PlatformError(ENAMETOOLONG));
        return std::nullopt;
    }
    FoundFile found;
    if (entry.file.failure) {
        found.path = path::appending(folderPath, name);
    }
    found.prepared = std::move(entry.file);
    return found;
}

void FolderWalk::leaveListed()
{
    readAhead_->retire(std::move(descent_.back().listed));
    descent_.pop_back();
}

void FolderWalk::enterListed(ListedEntry& entry, std::string_view name)
{
    std::string folderPath = path::appending(descent_.back().path, name);
    if (!fitsPath(name, folderPath)) {
        return;
    }
    if (!entry.folder) {
        openListed(name, std::move(folderPath));
        return;
    }
    // Opened ahead: replaced since, it is no longer what its path names, and its files would be
    // recorded under the paths of others.
    Folder child;
    child.identity = entry.folder->identity();
    if (!isStillAt(descent_.back(), name, folderPath, child.identity)) {
        report(name, PlatformError(ENOENT, "reopen"));
        return;
    }
    child.path = std::move(folderPath);
    // Taken from the entry, so that a folder left frees its listing and those below it.
    child.listed = std::move(entry.folder);
    descent_.push_back(std::move(child));
}

// A folder the helpers left to the walk, over their budget: opened from its parent as the walk
// without helpers would, then listed ahead like the others.
void FolderWalk::openListed(std::string_view name, std::string folderPath)
{
    if (!reopen()) {
        return;
    }
    const Folder& parent = descent_.back();
    try {
        // The name is the listing's, zero-terminated.
        UniqueFd fd = options_.folderOpener(parent.fd(), name.data());
        const FileStatus status = FileStatus::ofDescriptor(fd.get());
        Folder child;
        child.identity = FileIdentity{status.device, status.inode};
        if (isOnDescent(child.identity)) {
            return;
        }
        std::vector<std::uint32_t> position = parent.listed->position;
        position.push_back(static_cast<std::uint32_t>(parent.nextListed - 1));
        child.path = folderPath;
        child.listed = readAhead_->add(
            std::move(position), std::move(folderPath), std::move(fd),
            std::make_shared<const Ancestry>(Ancestry{child.identity, parent.listed->ancestry}));
        descent_.push_back(std::move(child));
    } catch (const PlatformError& error) {
        report(name, error);
    }
}

// Through the parent when it is still open, a single step, else along the whole path.
bool FolderWalk::isStillAt(const Folder& parent, std::string_view name,
                           const std::string& folderPath, const FileIdentity& identity)
{
    std::optional<FileStatus> status;
    try {
        // The name is the listing's, zero-terminated.
        status = parent.isOpen() ? FileStatus::readAt(parent.fd(), name.data())
                                 : FileStatus::read(folderPath);
    } catch (const PlatformError&) {
        return false;
    }
    return status->isDirectory() && FileIdentity{status->device, status->inode} == identity;
}

std::optional<FoundFile> FolderWalk::regularFile(std::string_view name,
                                                 std::optional<FileStatus> status)
{
    std::string filePath = path::appending(descent_.back().path, name);
    if (!fitsPath(name, filePath)) {
        return std::nullopt;
    }
    if (!status) {
        status = statusOf(name);
    }
    // Replaced since it was listed: a folder named like a bundle must not be measured as one.
    if (!status || !status->isRegular()) {
        return std::nullopt;
    }
    return FoundFile{std::move(filePath), *status, std::nullopt};
}

void FolderWalk::enter(std::string_view name)
{
    if (isPackageExtension(lowerExtension(name))) {
        return;
    }
    std::string folderPath = path::appending(descent_.back().path, name);
    if (!fitsPath(name, folderPath) || isSkippedFolder(folderPath)) {
        return;
    }
    try {
        // The name is a dirent's, so it is null-terminated.
        Folder folder = openFolder(descent_.back().fd(), name.data(), std::move(folderPath));
        if (!isOnDescent(folder.identity)) {
            descent_.push_back(std::move(folder));
            limitOpenLevels();
        }
    } catch (const PlatformError& error) {
        report(name, error);
    }
}

std::optional<FileStatus> FolderWalk::statusOf(std::string_view name)
{
    try {
        return options_.statusReader(descent_.back().fd(), name.data());
    } catch (const PlatformError& error) {
        report(name, error);
        return std::nullopt;
    }
}

FolderWalk::Folder FolderWalk::openFolder(int parentFd, const char* name, std::string folderPath)
{
    UniqueFd fd = options_.folderOpener(parentFd, name);
    const FileStatus status = FileStatus::ofDescriptor(fd.get());
    DIR* const entries = ::fdopendir(fd.get());
    if (entries == nullptr) {
        PlatformError::throwLast("fdopendir");
    }
    // The stream owns the descriptor from now on.
    (void)fd.release();
    Folder folder;
    folder.entries.reset(entries);
    folder.path = std::move(folderPath);
    folder.identity = FileIdentity{status.device, status.inode};
    return folder;
}

// The root stays open, so that every closed folder has an open one above it to be reopened from.
void FolderWalk::limitOpenLevels()
{
    if (descent_.size() <= openLevels) {
        return;
    }
    std::size_t open = static_cast<std::size_t>(std::count_if(
        descent_.begin(), descent_.end(), [](const Folder& f) { return f.isOpen(); }));
    for (std::size_t level = 1; open > openLevels && level < descent_.size(); ++level) {
        if (descent_[level].isOpen()) {
            readAheadAndClose(descent_[level]);
            --open;
        }
    }
}

void FolderWalk::readAheadAndClose(Folder& folder)
{
    // A listing read by the helpers is whole already.
    if (!folder.listed && !folder.readAhead) {
        while (true) {
            errno = 0;
            const dirent* entry = ::readdir(folder.entries.get());
            if (entry == nullptr) {
                if (errno != 0) {
                    report(path::lastComponent(folder.path), PlatformError(errno, "readdir"));
                }
                break;
            }
            folder.ahead.push_back({entry->d_name, entry->d_type});
        }
        std::reverse(folder.ahead.begin(), folder.ahead.end());
        folder.readAhead = true;
    }
    folder.entries.reset();
    folder.reopened.reset();
}

// Reopens the current folder, and the closed ones above it, by name from the nearest open folder.
// Each must be the folder the walk entered: one moved or replaced meanwhile is reported and left
// with everything below it, since its remaining entries can no longer be reached the checked way.
bool FolderWalk::reopen()
{
    std::size_t level = descent_.size() - 1;
    while (!descent_[level].isOpen()) {
        --level;
    }
    for (++level; level < descent_.size(); ++level) {
        Folder& folder = descent_[level];
        const std::string name(path::lastComponent(folder.path));
        try {
            UniqueFd fd = options_.folderOpener(descent_[level - 1].fd(), name.c_str());
            const FileStatus status = FileStatus::ofDescriptor(fd.get());
            if (FileIdentity{status.device, status.inode} != folder.identity) {
                throw PlatformError(ENOENT, "reopen");
            }
            folder.reopened = std::move(fd);
        } catch (const PlatformError& error) {
            report(name, error);
            descent_.erase(descent_.begin() + static_cast<std::ptrdiff_t>(level), descent_.end());
            return false;
        }
        limitOpenLevels();
    }
    return true;
}

bool FolderWalk::isOnDescent(const FileIdentity& identity) const
{
    return std::any_of(descent_.begin(), descent_.end(),
                       [&](const Folder& folder) { return folder.identity == identity; });
}

bool FolderWalk::isSkippedFolder(std::string_view folderPath) const
{
    const std::vector<std::string>& trash = FolderAccess::systemRefusals().trashFolders;
    return std::find(trash.begin(), trash.end(), folderPath) != trash.end();
}

bool FolderWalk::fitsPath(std::string_view name, const std::string& itemPath)
{
    if (itemPath.size() <= longestPath) {
        return true;
    }
    report(name, PlatformError(ENAMETOOLONG));
    return false;
}

void FolderWalk::report(std::string_view name, const PlatformError& error)
{
    errors_.add(ScanErrors::text(name, error));
}

} // namespace tollenvane
