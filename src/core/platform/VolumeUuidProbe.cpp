#include "core/platform/VolumeUuidProbe.h"

#include "core/base/FileStatus.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/platform/MountTable.h"

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace tollenvane {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

// The resolved path of an item that exists (a dangling link does not); nothing otherwise.
std::optional<std::string> existingResolved(const std::string& item)
{
    if (!path::exists(item)) {
        return std::nullopt;
    }
    try {
        return path::resolved(item);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

// Sorted, so that the answer does not depend on the directory's order.
std::vector<std::string> entryNames(const std::string& folder)
{
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> mountSource(const std::string& mountInfoPath, std::uint64_t device)
{
    try {
        const MountTable table = MountTable::read(mountInfoPath);
        if (const MountEntry* entry = table.findDevice(device)) {
            return entry->source;
        }
    } catch (const PlatformError&) {
        // Without a mount table no volume can be named: the answer is "no UUID".
    }
    return std::nullopt;
}

} // namespace

VolumeUuidProbe::VolumeUuidProbe(std::string mountInfoPath, std::string byUuidFolder)
    : mountInfoPath_(std::move(mountInfoPath))
    , byUuidFolder_(std::move(byUuidFolder))
{}

std::optional<std::string> VolumeUuidProbe::uuidFor(const std::string& path) const
{
    return uuidForDevice(FileStatus::read(path).device);
}

std::optional<std::string> VolumeUuidProbe::uuidForDevice(std::uint64_t device) const
{
    const std::optional<std::string> source = mountSource(mountInfoPath_, device);
    // Pseudo file systems name no file ("tmpfs", "none"); resolving such a word would look in
    // the current folder.
    if (!source || !source->starts_with('/')) {
        return std::nullopt;
    }
    const std::optional<std::string> deviceNode = existingResolved(*source);
    if (!deviceNode) {
        return std::nullopt;
    }
    for (const std::string& name : entryNames(byUuidFolder_)) {
        // A name that is not UTF-8 could not be stored with the records that carry it.
        if (isValidUtf8(name) &&
            existingResolved(path::appending(byUuidFolder_, name)) == deviceNode) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane
