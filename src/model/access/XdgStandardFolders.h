#pragma once

#include "model/access/StandardFolders.h"

namespace tollenvane {

// The XDG user folders (user-dirs.dirs), which may carry localised names.
class XdgStandardFolders final : public StandardFolders {
public:
    std::optional<std::string> location(StandardFolder folder) const override;
};

} // namespace tollenvane
