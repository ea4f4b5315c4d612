#include "core/platform/LibraryFolders.h"

#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/platform/XdgFolders.h"

namespace tollenvane {

namespace {

std::string parentResolved(const std::string& folder)
{
    const std::string_view parent = path::parent(folder);
    try {
        return path::standardised(
            path::appending(path::resolved(parent), path::lastComponent(folder)));
    } catch (const PlatformError&) {
        return folder; // a link loop on the way: the inspection passes such a folder over
    }
}

} // namespace

LibraryFolders LibraryFolders::current()
{
    return {parentResolved(XdgFolders::cacheHome()), parentResolved(XdgFolders::stateHome()),
            parentResolved(XdgFolders::configHome()), parentResolved(XdgFolders::dataHome())};
}

} // namespace tollenvane
