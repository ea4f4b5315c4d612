#include "core/platform/XdgFolders.h"

#include "core/base/Path.h"
#include "core/base/PlatformError.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace tollenvane::XdgFolders {

namespace {

std::string accountHome()
{
    for (std::size_t size = 16384; size <= (1u << 20); size *= 2) {
        std::vector<char> buffer(size);
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE) {
            continue;
        }
        if (error == 0 && found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/') {
            return found->pw_dir;
        }
        break;
    }
    throw PlatformError(ENOENT, "home folder");
}

std::string baseFolder(const char* variable, std::string_view fallbackBelowHome)
{
    const std::string value = environmentVariable(variable);
    return path::standardised(value.starts_with('/') ? value
                                                     : path::appending(home(), fallbackBelowHome));
}

} // namespace

std::string environmentVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string home()
{
    const std::string value = environmentVariable("HOME");
    return value.starts_with('/') ? value : accountHome();
}

std::string dataHome()
{
    return baseFolder("XDG_DATA_HOME", ".local/share");
}

std::string configHome()
{
    return baseFolder("XDG_CONFIG_HOME", ".config");
}

} // namespace tollenvane::XdgFolders
