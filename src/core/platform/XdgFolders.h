#pragma once

#include <string>

// The user's folders as the XDG base directory rules place them.
namespace tollenvane::XdgFolders {

// The variable's value; empty when unset.
std::string environmentVariable(const char* name);

// $HOME when it is absolute, else the account's home folder. Throws PlatformError when there is
// neither.
std::string home();

// $XDG_DATA_HOME when absolute (an unset, empty or relative value is ignored), else
// ~/.local/share; the same for $XDG_CONFIG_HOME and ~/.config, $XDG_CACHE_HOME and ~/.cache,
// $XDG_STATE_HOME and ~/.local/state. All standardised.
std::string dataHome();
std::string configHome();
std::string cacheHome();
std::string stateHome();

} // namespace tollenvane::XdgFolders
