#include "core/platform/DiskLinks.h"

#include "core/base/FolderNames.h"
#include "core/base/HexDigit.h"
#include "core/base/Path.h"
#include "core/base/Utf8.h"

namespace tollenvane::DiskLinks {

std::optional<std::string> nameLeadingTo(const std::string& folder, const std::string& source)
{
    // Resolving a word such as "tmpfs" would look in the current folder.
    if (!source.starts_with('/')) {
        return std::nullopt;
    }
    const std::optional<std::string> deviceNode = path::resolvedIfExists(source);
    if (!deviceNode) {
        return std::nullopt;
    }
    for (const std::string& name : sortedFolderNames(folder)) {
        if (isValidUtf8(name) &&
            path::resolvedIfExists(path::appending(folder, name)) == deviceNode) {
            return name;
        }
    }
    return std::nullopt;
}

std::string decodedLabel(std::string_view name)
{
    std::string decoded;
    decoded.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x') {
            const int high = hexDigitValue(name[i + 2]);
            const int low = hexDigitValue(name[i + 3]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        decoded += name[i];
    }
    return isValidUtf8(decoded) ? decoded : std::string(name);
}

} // namespace tollenvane::DiskLinks
