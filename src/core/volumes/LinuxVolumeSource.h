#pragma once

#include "core/volumes/VolumeSource.h"

#include <string>
#include <string_view>

namespace tollenvane {

struct MountEntry;

// Volumes as the kernel's mount table, statvfs, sysfs and udev's label links describe them.
// Network and pseudo file systems are told apart from the table alone, so that nothing is
// asked of a mount that might never answer.
class LinuxVolumeSource final : public VolumeSource {
public:
    // Injectable so that tests can describe a machine of their own.
    struct Setup {
        std::string mountInfoPath = "/proc/self/mountinfo";
        std::string sysfsRoot = "/sys";
        std::string byLabelFolder = "/dev/disk/by-label";
    };

    LinuxVolumeSource();
    explicit LinuxVolumeSource(Setup setup);

    static const LinuxVolumeSource& system();

    // Not local: a network file system type (every FUSE one but fuseblk, which sits on a local
    // disk), or a source that names a host ("//host/share", "host:/export").
    static bool isNetwork(const MountEntry& entry);
    // Not browsable: a kernel interface rather than files (proc, sysfs, cgroup...), or a
    // read-only package image (squashfs).
    static bool isPseudo(std::string_view fsType);
    // Hidden: some component of the mount point starts with a dot.
    static bool isHidden(std::string_view mountPoint);

    std::optional<std::string> homeFolder() const override;
    std::optional<std::vector<MountedVolume>> mountedVolumes() const override;
    std::optional<VolumeValues> values(const std::string& path) const override;
    std::optional<std::uint64_t> device(const std::string& path) const override;
    std::optional<std::string> uuid(const std::string& path, std::uint64_t device) const override;

private:
    std::optional<bool> isInternal(const MountEntry& entry) const;
    std::optional<std::string> label(const MountEntry& entry) const;

    Setup setup_;
};

} // namespace tollenvane
