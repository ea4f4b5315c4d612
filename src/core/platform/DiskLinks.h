#pragma once

#include <optional>
#include <string>
#include <string_view>

// The folders of links that udev keeps for block devices (/dev/disk/by-uuid, by-label): each
// link's name says something of the device it leads to.
namespace tollenvane::DiskLinks {

// The name, in byte order the first, of a link in `folder` that leads to the same device node
// as `source` (a mount source such as /dev/sdb1 or /dev/mapper/x). Nothing when `source` names
// no file ("tmpfs", "host:/export"), when no link leads there, or when the folder is missing.
// Names that are not UTF-8 are passed over: records could not store them.
std::optional<std::string> nameLeadingTo(const std::string& folder, const std::string& source);

// A by-label name as written, udev's \xHH escapes (\x20 for a space, \x2f for a slash)
// decoded. An escape that leaves a text that is not UTF-8 is kept as written.
std::string decodedLabel(std::string_view name);

} // namespace tollenvane::DiskLinks
