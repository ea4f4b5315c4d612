#pragma once

#include "core/base/FileStatus.h"
#include "core/base/PlatformError.h"
#include "core/records/FileIdentity.h"
#include "core/scan/PreparedRecord.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// A folder and those above it up to the root of its walk, by identity: a folder found among
// them is on its own descent path (a bind mount can make a folder contain itself).
struct Ancestry {
    FileIdentity identity;
    std::shared_ptr<const Ancestry> above;

    bool contains(const FileIdentity& folder) const
    {
        for (const Ancestry* level = this; level != nullptr; level = level->above.get()) {
            if (level->identity == folder) {
                return true;
            }
        }
        return false;
    }
};

struct PendingFolder;

// One entry of a folder read ahead of the walk, once the names no walk keeps are dropped. What
// went wrong is kept on the entry, for the walk to report when it gets there.
struct ListedEntry {
    enum class Kind : std::uint8_t { file, folder, problem };

    Kind kind = Kind::file;
    std::uint32_t nameStart = 0; // in FolderListing::names
    std::uint32_t problem = 0;   // in FolderListing::problems
    PreparedRecord file;         // of a file whose path fits
    // A folder opened and handed on to be listed; null when the walk must open it itself
    // (over the read-ahead budget, or a path too long to open).
    std::shared_ptr<PendingFolder> folder;
};

struct FolderListing {
    std::vector<ListedEntry> entries; // in the order the system lists them
    std::string names;                // each name followed by a zero
    std::vector<PlatformError> problems;
    std::optional<PlatformError> failure; // reading the folder stopped after the last entry
    // Anything else that stopped the reading, thrown again to the walk after the last entry, as
    // the walk would have met it without helpers.
    std::exception_ptr thrown;
    bool opensLater = false; // a subfolder is left for the walk to open

    // Zero-terminated.
    std::string_view name(const ListedEntry& entry) const
    {
        return std::string_view(names.c_str() + entry.nameStart);
    }
};

} // namespace tollenvane
