#include "core/platform/BlockDevices.h"

#include "core/base/FileContents.h"
#include "core/base/FolderNames.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>

namespace tollenvane::BlockDevices {

namespace {

// Buses whose disks can be unplugged, as they name their folders in the device tree.
constexpr std::array<std::string_view, 3> removableBuses = {"usb", "mmc", "firewire"};

// Mapped devices stack on others; real stacks are two or three deep.
constexpr int deepestStack = 8;

// The first line of a small attribute file.
std::optional<std::string> attribute(const std::string& file)
{
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd) {
        return std::nullopt;
    }
    try {
        std::optional<std::string> text = readToEnd(fd.get(), 4096);
        if (text) {
            text->resize(std::min(text->size(), text->find('\n')));
        }
        return text;
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

bool hangsOffRemovableBus(std::string_view devicePath, std::string_view sysfs)
{
    if (path::isAtOrBelow(devicePath, sysfs)) {
        devicePath.remove_prefix(sysfs.size());
    }
    const std::vector<std::string_view> parts = path::components(devicePath);
    return std::any_of(parts.begin(), parts.end(), [](std::string_view part) {
        return std::any_of(removableBuses.begin(), removableBuses.end(),
                           [part](std::string_view bus) { return part.starts_with(bus); });
    });
}

std::optional<bool> judge(const std::string& devicePath, const std::string& sysfs, int depth)
{
    if (depth > deepestStack) {
        return std::nullopt;
    }
    // A partition's attributes are those of the disk that holds it.
    const std::string disk = path::exists(path::appending(devicePath, "partition"))
                                 ? std::string(path::parent(devicePath))
                                 : devicePath;
    if (hangsOffRemovableBus(disk, sysfs)) {
        return false;
    }
    const std::optional<std::string> removable = attribute(path::appending(disk, "removable"));
    if (removable == "1") {
        return false;
    }
    if (removable != "0") {
        return std::nullopt;
    }
    // One removable disk under a mapped device makes it removable.
    const std::string slaves = path::appending(disk, "slaves");
    bool allKnown = true;
    for (const std::string& name : sortedFolderNames(slaves)) {
        const std::optional<std::string> below =
            path::resolvedIfExists(path::appending(slaves, name));
        const std::optional<bool> internal = below ? judge(*below, sysfs, depth + 1) : std::nullopt;
        if (internal == false) {
            return false;
        }
        allKnown = allKnown && internal.has_value();
    }
    return allKnown ? std::optional(true) : std::nullopt;
}

} // namespace

std::optional<bool> isInternal(std::uint64_t device, const std::string& sysfsRoot)
{
    const std::optional<std::string> sysfs = path::resolvedIfExists(sysfsRoot);
    if (!sysfs) {
        return std::nullopt;
    }
    const std::string link = path::appending(*sysfs, "dev/block/" + std::to_string(major(device)) +
                                                         ":" + std::to_string(minor(device)));
    const std::optional<std::string> devicePath = path::resolvedIfExists(link);
    return devicePath ? judge(*devicePath, *sysfs, 0) : std::nullopt;
}

} // namespace tollenvane::BlockDevices
