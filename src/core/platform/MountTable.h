#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// One line of the kernel's mount table, escapes decoded.
struct MountEntry {
    std::uint64_t mountId = 0;
    std::uint64_t parentId = 0;
    std::uint64_t device = 0; // makedev(major, minor): the st_dev of the files on this mount
    std::string root;         // the folder of the file system that is mounted
    std::string mountPoint;
    std::string options; // per-mount options
    std::string fsType;
    std::string source;       // a device path, or whatever the file system names ("tmpfs", "none")
    std::string superOptions; // per-file-system options
};

// The mounts of this process's namespace, in the kernel's order (a mount after the one it hides).
class MountTable {
public:
    explicit MountTable(std::vector<MountEntry> entries);

    // Lines that do not have the mountinfo form are skipped.
    static MountTable parse(std::string_view text);
    // Throws PlatformError when the file cannot be read.
    static MountTable read(const std::string& mountInfoPath = "/proc/self/mountinfo");

    const std::vector<MountEntry>& entries() const { return entries_; }
    // The last entry with that device (the one on top when mounts are stacked); nullptr for none.
    const MountEntry* findDevice(std::uint64_t device) const;

private:
    std::vector<MountEntry> entries_;
};

} // namespace tollenvane
