#include "core/persistence/StateStore.h"

#include "core/base/AtomicFile.h"
#include "core/base/FileContents.h"
#include "core/base/Path.h"
#include "core/platform/XdgFolders.h"

#include <cstddef>

namespace tollenvane {

namespace {

// Far above any real state, yet it stops an endless file before it takes all memory.
constexpr std::size_t maxStateFileBytes = std::size_t{256} << 20;

} // namespace

StateStore::StateStore(std::optional<std::string> path)
    : path_(path ? std::move(*path) : defaultPath())
{}

std::string StateStore::defaultPath()
{
    return path::appending(XdgFolders::dataHome(), "Tollenvane/state.json");
}

SavedState StateStore::load() const
{
    const std::optional<std::string> content =
        readRegularFile(path_, "state file " + path_, maxStateFileBytes);
    return content ? SavedState::fromJson(json::parse(*content)) : SavedState{};
}

void StateStore::save(const SavedState& state) const
{
    path::createPrivateFolders(std::string(path::parent(path_)));
    writeFileAtomically(path_, json::dump(state.toJson()));
}

} // namespace tollenvane
