#pragma once

#include "core/base/Json.h"

#include <optional>
#include <string>

namespace tollenvane {

// An authorised source folder or a move destination, kept across runs through its bookmark.
struct FolderGrant {
    std::string id;       // upper-case UUID
    std::string name;     // the folder's last component when it was granted
    std::string bookmark; // opaque token bytes
    bool favorite = false;
    std::optional<std::string> lastKnownPath; // standardised, when granted

    Json toJson() const;
    // Every key but "lastKnownPath" is required; throws DecodeError.
    static FolderGrant fromJson(const Json& json);

    bool operator==(const FolderGrant&) const = default;
};

} // namespace tollenvane
