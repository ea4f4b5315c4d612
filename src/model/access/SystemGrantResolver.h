#pragma once

#include "model/access/GrantResolver.h"

namespace tollenvane {

// The system's folders, through FolderAccess.
class SystemGrantResolver final : public GrantResolver {
public:
    FolderGrant grant(const std::string& folder, bool favorite) const override;
    Bookmark::Resolved resolve(const FolderGrant& grant) const override;
    void validate(const std::string& folder) const override;
    bool isReadable(const std::string& folder) const override;
};

} // namespace tollenvane
