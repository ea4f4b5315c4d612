#pragma once

#include "model/access/ScopedAccess.h"

namespace tollenvane {

// The access that bookmarks give.
class BookmarkAccess final : public ScopedAccess {
public:
    bool start(const std::string& folder) override;
    void stop(const std::string& folder) override;
};

} // namespace tollenvane
