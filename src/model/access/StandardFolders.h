#pragma once

#include <optional>
#include <string>

namespace tollenvane {

// The user's well-known folders, offered as suggestions of sources.
enum class StandardFolder { desktop, documents, downloads, pictures, movies, music };

class StandardFolders {
public:
    virtual ~StandardFolders() = default;
    // The folder as the user's desktop names it; nothing when it has none.
    virtual std::optional<std::string> location(StandardFolder folder) const = 0;
};

} // namespace tollenvane
