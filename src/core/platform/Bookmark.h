#pragma once

#include "core/base/PlatformError.h"
#include "core/platform/MountTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// A token this layer cannot read: made elsewhere (another system's bookmark), damaged, or of a
// later version. Only the grant that holds it fails. It is a PlatformError (EINVAL), so a caller
// that handles failed resolutions needs no other case, and one that wants to ask for the folder
// again can tell it apart.
class BookmarkError : public PlatformError {
public:
    explicit BookmarkError(std::string_view reason);
};

// The opaque token that brings a chosen folder back after a restart: its real path, its
// identity (device and inode, and the volume UUID when known) and its place within its volume,
// so that a removable disk mounted elsewhere still finds it. Nothing is ever mounted.
namespace Bookmark {

struct Resolved {
    std::string path; // real path: no link in it
    bool stale = false;

    bool operator==(const Resolved&) const = default;
};

// What tokens need to know of the mounted volumes; tests give their own.
class Volumes {
public:
    virtual ~Volumes() = default;
    // Throws PlatformError when the table cannot be read.
    virtual MountTable mountTable() const = 0;
    // Nothing when the volume has no UUID or cannot be asked; never throws.
    virtual std::optional<std::string> uuid(std::uint64_t device) const = 0;

    static const Volumes& system();
};

// The token of an existing folder. Throws PlatformError: ENOENT when missing or not absolute,
// ENOTDIR for anything but a folder, EILSEQ when its real path is not UTF-8 (a token holds text
// only).
std::string create(const std::string& folderPath);
std::string create(const std::string& folderPath, const Volumes& volumes);

// The folder at the stored path, stale when its identity changed; else the same place on its
// volume mounted elsewhere, always stale. Throws BookmarkError for an unreadable token and
// PlatformError (ENOENT) when the folder cannot be found.
Resolved resolve(std::string_view token);
Resolved resolve(std::string_view token, const Volumes& volumes);

// Access to a folder needs no grant from this system; the pair is kept so that callers keep
// their bookkeeping. startAccess always succeeds.
bool startAccess(const std::string& path);
void stopAccess(const std::string& path);

} // namespace Bookmark
} // namespace tollenvane
