#pragma once

#include <string>
#include <vector>

namespace tollenvane {

// The names in an open folder but "." and "..", sorted by their bytes, so that a walk does not
// depend on how the file system happens to store the folder. The descriptor keeps its position.
// Throws PlatformError when the folder cannot be read.
std::vector<std::string> sortedFolderNames(int folderFd);

// The same for a folder given by its path, links followed; empty when it cannot be read.
std::vector<std::string> sortedFolderNames(const std::string& folder);

} // namespace tollenvane
