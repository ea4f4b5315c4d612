#include "core/platform/XdgFolders.h"

#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/platform/UserAccount.h"

#include <cerrno>
#include <cstdlib>

namespace tollenvane::XdgFolders {

namespace {

std::string accountHome()
{
    const auto account = UserAccount::current();
    if (!account || !account->home.starts_with('/')) {
        throw PlatformError(ENOENT, "home folder");
    }
    return account->home;
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

std::string cacheHome()
{
    return baseFolder("XDG_CACHE_HOME", ".cache");
}

std::string stateHome()
{
    return baseFolder("XDG_STATE_HOME", ".local/state");
}

} // namespace tollenvane::XdgFolders
