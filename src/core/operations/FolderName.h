#pragma once

#include <optional>
#include <string_view>

namespace tollenvane {

// Why `name` cannot name a new folder, as the catalogue key of the message that says so; none
// when it can. Refused: no name; "." and "..", which name folders that exist; a separator, or a
// NUL that would cut the name short at the system call, either of which would make the folder
// elsewhere than asked; a colon, which disks formatted for other systems refuse; and a leading
// dot, which would hide the folder.
std::optional<std::string_view> folderNameRefusal(std::string_view name);

} // namespace tollenvane
