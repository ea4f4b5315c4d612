#include "core/persistence/StateStore.h"

#include "core/base/AtomicFile.h"
#include "core/base/FileContents.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"
#include "core/platform/XdgFolders.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace tollenvane {

StateStore::StateStore(std::optional<std::string> path)
    : path_(path ? std::move(*path) : defaultPath())
{}

std::string StateStore::defaultPath()
{
    return path::appending(XdgFolders::dataHome(), "Tollenvane/state.json");
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
