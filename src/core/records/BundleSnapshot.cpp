#include "core/records/BundleSnapshot.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/FolderNames.h"
#include "core/base/PlatformError.h"
#include "core/base/Sha256.h"
#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <memory>
#include <vector>

namespace tollenvane {

namespace {

template <class Number>
void appendNumber(std::string& line, Number value)
{
    char buffer[24];
    const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    line.append(buffer, result.ptr);
}

class FingerprintWalk {
public:
    FingerprintWalk(std::stop_token stop, const BundleSnapshot::EntryHook& beforeEntry)
        : stop_(std::move(stop))
        , beforeEntry_(beforeEntry)
    {}

    BundleSnapshot run(const std::string& folder)
    {
        const UniqueFd root(
            ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!root) {
            throw FileError(FileError::permission);
        }
        const FileStatus status = FileStatus::ofDescriptor(root.get());
        descent_.push_back({status.device, status.inode});
        walk(root.get());
        result_.fingerprint = hash_.finishHex();
        return result_;
    }

private:
    void walk(int folderFd)
    {
        for (const std::string& name : sortedFolderNames(folderFd)) {
            throwIfCancelled(stop_);
            const std::size_t relativeLength = relative_.size();
            relative_ += '/';
            relative_ += name;
            if (beforeEntry_) {
                beforeEntry_(relative_);
            }
            const FileStatus status = statusOf(folderFd, name);
            add(status);
            if (status.isDirectory()) {
                descend(folderFd, name, status);
            }
            relative_.resize(relativeLength);
        }
    }

    static FileStatus statusOf(int folderFd, const std::string& name)
    {
        try {
            return FileStatus::readAt(folderFd, name.c_str());
        } catch (const PlatformError&) {
            throw FileError(FileError::changed);
        }
    }

    void add(const FileStatus& status)
    {
        if (status.isRegular()) {
            result_.size += status.size;
            result_.allocatedSize += status.allocatedSize();
        }
        line_ = relative_;
        line_ += '|';
        appendNumber(line_, status.mode & 0xffffu);
        line_ += '|';
        appendNumber(line_, status.inode);
        line_ += '|';
        appendNumber(line_, status.size);
        line_ += '|';
        appendNumber(line_, status.modified.seconds);
        line_ += '|';
        appendNumber(line_, status.modified.nanoseconds);
        line_ += '|';
        appendNumber(line_, status.changed.seconds);
        line_ += '|';
        appendNumber(line_, status.changed.nanoseconds);
        line_ += '\n';
        hash_.update(line_);
    }

    void descend(int folderFd, const std::string& name, const FileStatus& status)
    {
        const FileIdentity identity{status.device, status.inode};
        // A bind mount can make a folder contain itself.
        if (std::find(descent_.begin(), descent_.end(), identity) != descent_.end()) {
            return;
        }
        const UniqueFd child(
            ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!child) {
            PlatformError::throwLast("open");
        }
        descent_.push_back(identity);
        walk(child.get());
        descent_.pop_back();
    }

    std::stop_token stop_;
    const BundleSnapshot::EntryHook& beforeEntry_;
    Sha256 hash_;
    BundleSnapshot result_;
    std::string relative_;
    std::string line_;
    std::vector<FileIdentity> descent_;
};

} // namespace

BundleSnapshot BundleSnapshot::measure(const std::string& folder, std::stop_token stop)
{
    return measure(folder, std::move(stop), {});
}

BundleSnapshot BundleSnapshot::measure(const std::string& folder, std::stop_token stop,
                                       const EntryHook& beforeEntry)
{
    return FingerprintWalk(std::move(stop), beforeEntry).run(folder);
}

} // namespace tollenvane
