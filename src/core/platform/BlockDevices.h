#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the kernel's device tree (sysfs) says of a block device.
namespace tollenvane::BlockDevices {

// Whether the device is built into the computer: its disk is not removable and hangs off no
// USB, MMC or FireWire bus, and so do the disks under a mapped device (encryption, volume
// groups). Nothing when sysfs does not know the device (`device` is makedev(major, minor)).
// `sysfsRoot` is injectable so that tests can lay out devices of their own.
std::optional<bool> isInternal(std::uint64_t device, const std::string& sysfsRoot = "/sys");

} // namespace tollenvane::BlockDevices
