#include "core/volumes/LinuxVolumeSource.h"

#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/platform/BlockDevices.h"
#include "core/platform/DiskLinks.h"
#include "core/platform/MountTable.h"
#include "core/platform/VolumeIdentity.h"
#include "core/platform/XdgFolders.h"
#include "core/volumes/VolumeCapacity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <utility>

namespace tollenvane {

namespace {

constexpr std::array<std::string_view, 12> networkTypes = {"nfs",   "nfs4",   "cifs",  "smb3",
                                                           "smbfs", "ncpfs",  "afs",   "glusterfs",
                                                           "9p",    "lustre", "davfs", "ceph"};

constexpr std::array<std::string_view, 21> pseudoTypes = {
    "proc",    "sysfs",   "devtmpfs",    "devpts",   "cgroup", "cgroup2",    "securityfs",
    "debugfs", "tracefs", "pstore",      "bpf",      "mqueue", "hugetlbfs",  "configfs",
    "fusectl", "autofs",  "binfmt_misc", "efivarfs", "nsfs",   "rpc_pipefs", "squashfs"};

template <std::size_t count>
bool contains(const std::array<std::string_view, count>& list, std::string_view value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool namesHost(std::string_view source)
{
    return source.starts_with("//") ||
           (!source.starts_with('/') && source.find(":/") != std::string_view::npos);
}

// The mount that holds a path, links followed: by mount id where the kernel gives one, else
// the topmost mount of its device.
std::optional<MountEntry> mountHolding(const std::string& path, const std::string& mountInfoPath)
{
    struct statx raw {};
    if (::statx(AT_FDCWD, path.c_str(), AT_NO_AUTOMOUNT, STATX_MNT_ID, &raw) != 0) {
        return std::nullopt;
    }
    try {
        const MountTable table = MountTable::read(mountInfoPath);
        if ((raw.stx_mask & STATX_MNT_ID) != 0) {
            const auto& entries = table.entries();
            const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
                return entry.mountId == raw.stx_mnt_id;
            });
            if (found != entries.end()) {
                return *found;
            }
        }
        if (const MountEntry* entry =
                table.findDevice(makedev(raw.stx_dev_major, raw.stx_dev_minor))) {
            return *entry;
        }
    } catch (const PlatformError&) {
        // Without a table the volume is still measured, only unnamed.
    }
    return std::nullopt;
}

// The block device under a mount: its own device number, or for file systems that number
// their mounts anonymously (btrfs), the device node it names as source.
std::optional<std::uint64_t> blockDevice(const MountEntry& entry)
{
    if (major(entry.device) != 0) {
        return entry.device;
    }
    struct stat node {};
    if (entry.source.starts_with("/dev/") && ::stat(entry.source.c_str(), &node) == 0 &&
        S_ISBLK(node.st_mode)) {
        return node.st_rdev;
    }
    return std::nullopt;
}

} // namespace

LinuxVolumeSource::LinuxVolumeSource()
    : LinuxVolumeSource(Setup{})
{}

LinuxVolumeSource::LinuxVolumeSource(Setup setup)
    : setup_(std::move(setup))
{}

const LinuxVolumeSource& LinuxVolumeSource::system()
{
    static const LinuxVolumeSource source;
    return source;
}

bool LinuxVolumeSource::isNetwork(const MountEntry& entry)
{
    return contains(networkTypes, entry.fsType) || entry.fsType.starts_with("fuse.") ||
           namesHost(entry.source);
}

bool LinuxVolumeSource::isPseudo(std::string_view fsType)
{
    return contains(pseudoTypes, fsType);
}

bool LinuxVolumeSource::isHidden(std::string_view mountPoint)
{
    const std::vector<std::string_view> parts = path::components(mountPoint);
    return std::any_of(parts.begin(), parts.end(),
                       [](std::string_view part) { return part.starts_with('.'); });
}

std::optional<std::string> LinuxVolumeSource::homeFolder() const
{
    try {
        return XdgFolders::home();
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

std::optional<std::vector<MountedVolume>> LinuxVolumeSource::mountedVolumes() const
{
    std::optional<MountTable> table;
    try {
        table = MountTable::read(setup_.mountInfoPath);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
    std::vector<MountedVolume> volumes;
    for (const MountEntry& entry : table->entries()) {
        if (isHidden(entry.mountPoint)) {
            continue;
        }
        MountedVolume volume{entry.mountPoint, !isNetwork(entry), std::nullopt,
                             !isPseudo(entry.fsType)};
        // Only a mount that may be listed is worth a look at the device tree.
        if (volume.local == true && volume.browsable == true) {
            volume.internal = isInternal(entry);
        }
        volumes.push_back(std::move(volume));
    }
    return volumes;
}

std::optional<VolumeValues> LinuxVolumeSource::values(const std::string& path) const
{
    struct statvfs figures {};
    if (::statvfs(path.c_str(), &figures) != 0) {
        return std::nullopt;
    }
    VolumeValues values;
    values.readOnly = (figures.f_flag & ST_RDONLY) != 0;
    const VolumeCapacity capacity = volumeCapacity({.blocks = figures.f_blocks,
                                                    .freeBlocks = figures.f_bfree,
                                                    .availableBlocks = figures.f_bavail,
                                                    .fragmentSize = figures.f_frsize});
    values.total = capacity.total;
    values.available = capacity.available;
    if (const std::optional<MountEntry> entry = mountHolding(path, setup_.mountInfoPath)) {
        values.volumePath = entry->mountPoint;
        values.name = label(*entry);
        if (!values.name && entry->mountPoint != "/") {
            values.name = std::string(path::lastComponent(entry->mountPoint));
        }
    }
    return values;
}

std::optional<std::uint64_t> LinuxVolumeSource::device(const std::string& path) const
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_dev);
}

std::optional<std::string> LinuxVolumeSource::uuid(const std::string& path,
                                                   std::uint64_t device) const
{
    return VolumeIdentity::uuid(path, device);
}

std::optional<bool> LinuxVolumeSource::isInternal(const MountEntry& entry) const
{
    const std::optional<std::uint64_t> device = blockDevice(entry);
    return device ? BlockDevices::isInternal(*device, setup_.sysfsRoot) : std::nullopt;
}

std::optional<std::string> LinuxVolumeSource::label(const MountEntry& entry) const
{
    const std::optional<std::string> name =
        DiskLinks::nameLeadingTo(setup_.byLabelFolder, entry.source);
    return name ? std::optional(DiskLinks::decodedLabel(*name)) : std::nullopt;
}

} // namespace tollenvane
