#include "model/access/BookmarkAccess.h"

#include "core/platform/Bookmark.h"

namespace tollenvane {

bool BookmarkAccess::start(const std::string& folder)
{
    return Bookmark::startAccess(folder);
}

void BookmarkAccess::stop(const std::string& folder)
{
    Bookmark::stopAccess(folder);
}

} // namespace tollenvane
