#pragma once

#include "core/persistence/SavedState.h"

#include <optional>
#include <string>

namespace tollenvane {

// Where the state file lives, and its reading and writing.
class StateStore {
public:
    // Without a path: "Tollenvane/state.json" under the user's data folder ($XDG_DATA_HOME,
    // else ~/.local/share).
    explicit StateStore(std::optional<std::string> path = std::nullopt);

    const std::string& path() const { return path_; }

    // A missing file is a first run and gives the defaults. Throws PlatformError when the file
    // cannot be read, is not a regular file (a FIFO, a device) or is beyond any real state in
    // size, and DecodeError when it does not decode; the file is left as it is.
    SavedState load() const;
    // Creates the folder when needed (0700), then replaces the file atomically with an
    // owner-only one. Throws PlatformError; the old file stays on failure.
    void save(const SavedState& state) const;

    static std::string defaultPath();

private:
    std::string path_;
};

} // namespace tollenvane
