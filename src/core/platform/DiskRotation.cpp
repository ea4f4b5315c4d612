#include "core/platform/DiskRotation.h"

#include <sys/sysmacros.h>

#include <fstream>
#include <string>

namespace tollenvane::DiskRotation {

namespace {

std::optional<bool> flagIn(const std::string& file)
{
    std::ifstream in(file);
    char flag = 0;
    if (!(in >> flag) || (flag != '0' && flag != '1')) {
        return std::nullopt;
    }
    return flag == '1';
}

} // namespace

std::optional<bool> isRotational(std::uint64_t device)
{
    const std::string node =
        "/sys/dev/block/" + std::to_string(::major(device)) + ":" + std::to_string(::minor(device));
    if (const auto own = flagIn(node + "/queue/rotational")) {
        return own;
    }
    // A partition's folder lies inside its disk's, which holds the queue.
    return flagIn(node + "/../queue/rotational");
}

} // namespace tollenvane::DiskRotation
