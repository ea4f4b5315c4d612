#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tollenvane::UserDirectories {

// The value of one entry of a user-dirs.dirs text (XDG_DOWNLOAD_DIR="$HOME/Downloads"), with
// "$HOME" expanded; nothing when the entry is absent or malformed.
std::optional<std::string> entry(std::string_view fileText, std::string_view key,
                                 std::string_view home);

// The user's download folder as their desktop names it (it may be localised, such as
// "Téléchargements"), read from $XDG_CONFIG_HOME/user-dirs.dirs; nothing when not set.
std::optional<std::string> downloadFolder();

// The last name of the download folder; nothing when it is not set, or is the root or the home
// folder itself (xdg-user-dirs writes "$HOME/" for a folder the user does not have), whose name
// says nothing about downloads.
std::optional<std::string> downloadFolderName();

} // namespace tollenvane::UserDirectories
