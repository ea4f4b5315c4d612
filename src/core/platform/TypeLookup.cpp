#include "core/platform/TypeLookup.h"

#include "core/platform/SharedMimeInfo.h"

#include <cstdlib>

namespace tollenvane {

const TypeLookup& TypeLookup::system()
{
    static const SharedMimeInfo lookup(
        SharedMimeInfo::standardFolders([](const char* name) { return std::getenv(name); }));
    return lookup;
}

} // namespace tollenvane
