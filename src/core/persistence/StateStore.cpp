#include "core/persistence/StateStore.h"

#include "core/base/AtomicFile.h"
#include "core/base/FileContents.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace tollenvane {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

StateStore::StateStore(std::optional<std::string> path)
    : path_(path ? std::move(*path) : defaultPath())
{}

std::string StateStore::defaultPath()
{
    std::string data = environment("XDG_DATA_HOME");
    if (!data.starts_with('/')) {
        data = environment("HOME") + "/.local/share";
    }
    return path::standardised(data + "/Tollenvane/state.json");
}

SavedState StateStore::load() const
{
    const UniqueFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        if (errno == ENOENT) {
            return SavedState{};
        }
        PlatformError::throwLast("open " + path_);
    }
    return SavedState::fromJson(json::parse(*readToEnd(fd.get())));
}

void StateStore::save(const SavedState& state) const
{
    path::createPrivateFolders(std::string(path::parent(path_)));
    writeFileAtomically(path_, json::dump(state.toJson()));
}

} // namespace tollenvane
