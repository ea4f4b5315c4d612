#include "core/platform/Bookmark.h"

#include "core/base/FileStatus.h"
#include "core/base/Json.h"
#include "core/base/Path.h"
#include "core/base/Utf8.h"
#include "core/platform/VolumeUuidProbe.h"

#include <cerrno>
#include <map>

namespace tollenvane {

BookmarkError::BookmarkError(std::string_view reason)
    : PlatformError(EINVAL, "unreadable bookmark (" + std::string(reason) + ")")
{}

namespace Bookmark {

namespace {

constexpr std::string_view magic = "TVBM1";

struct Token {
    std::string path; // real path when made
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::optional<std::string> volumeUUID;
    // The folder's place below the root of its file system, without a leading slash ("" for
    // the root itself): the same whatever the volume is mounted on.
    std::optional<std::string> mountRelative;
};

class SystemVolumes final : public Volumes {
public:
    MountTable mountTable() const override { return MountTable::read(); }
    std::optional<std::string> uuid(std::uint64_t device) const override
    {
        return probe_.uuidForDevice(device);
    }

private:
    VolumeUuidProbe probe_;
};

// The part of `path` below `folder`, which holds it, without a leading slash.
std::string_view below(std::string_view path, std::string_view folder)
{
    if (path.size() <= folder.size()) {
        return {};
    }
    return path.substr(folder == "/" ? 1 : folder.size() + 1);
}

// "a/b" or "": no leading, trailing or repeated slash, no "." or "..", so that appending it
// to a mount point can never lead out of that mount.
bool isPlainRelative(std::string_view text)
{
    const std::string rooted = std::string("/").append(text);
    return path::standardised(rooted) == rooted;
}

bool isStandardisedAbsolute(std::string_view text)
{
    return text.starts_with('/') && path::standardised(text) == text;
}

std::string encode(const Token& token)
{
    Json json;
    json["path"] = token.path;
    json["device"] = token.device;
    json["inode"] = token.inode;
    json::putOptional(json, "volumeUUID", token.volumeUUID);
    json::putOptional(json, "mountRelative", token.mountRelative);
    return std::string(magic) + json::dump(json);
}

Token decodeJson(const Json& json)
{
    json::requireObject(json, "bookmark");
    Token token;
    token.path = json::string(json, "path");
    token.device = json::uint64(json, "device");
    token.inode = json::uint64(json, "inode");
    token.volumeUUID = json::optionalString(json, "volumeUUID");
    token.mountRelative = json::optionalString(json, "mountRelative");
    if (!isStandardisedAbsolute(token.path)) {
        throw BookmarkError("path is not a standardised absolute path");
    }
    if (token.mountRelative && !isPlainRelative(*token.mountRelative)) {
        throw BookmarkError("place on volume is not a plain relative path");
    }
    return token;
}

Token decode(std::string_view bytes)
{
    if (!bytes.starts_with(magic)) {
        throw BookmarkError("not a token of this application");
    }
    try {
        return decodeJson(json::parse(bytes.substr(magic.size())));
    } catch (const DecodeError& error) {
        throw BookmarkError(error.what());
    }
}

// The mount the folder is reached through: its device, under the longest mount point; the
// later of equals, which hides the earlier.
const MountEntry* mountHolding(const MountTable& table, const std::string& realPath,
                               std::uint64_t device)
{
    const MountEntry* found = nullptr;
    for (const MountEntry& entry : table.entries()) {
        if (entry.device == device && path::isAtOrBelow(realPath, entry.mountPoint) &&
            (found == nullptr || entry.mountPoint.size() >= found->mountPoint.size())) {
            found = &entry;
        }
    }
    return found;
}

std::optional<std::string> placeOnVolume(const std::string& realPath, std::uint64_t device,
                                         const Volumes& volumes)
{
    const MountTable table = volumes.mountTable();
    const MountEntry* entry = mountHolding(table, realPath, device);
    if (entry == nullptr) {
        return std::nullopt;
    }
    // A bind mount shows a folder of its file system, not the whole of it.
    const std::string onVolume =
        path::standardised(path::appending(entry->root, below(realPath, entry->mountPoint)));
    // The table's root may hold any bytes; a token holds text only.
    if (!isValidUtf8(onVolume)) {
        return std::nullopt;
    }
    return std::string(below(onVolume, "/"));
}

bool sameIdentity(const Token& token, const FileStatus& status, const Volumes& volumes)
{
    if (status.inode != token.inode) {
        return false;
    }
    // Device numbers of removable disks follow the order they were plugged in; a UUID does not.
    if (token.volumeUUID) {
        if (const auto current = volumes.uuid(status.device)) {
            return current == token.volumeUUID;
        }
    }
    return status.device == token.device;
}

// The folder's place on its volume, where that volume is mounted now.
std::optional<std::string> elsewhere(const Token& token, const Volumes& volumes)
{
    if (!token.volumeUUID || !token.mountRelative) {
        return std::nullopt;
    }
    const std::string onVolume = path::appending("/", *token.mountRelative);
    const MountTable table = volumes.mountTable();
    std::map<std::uint64_t, std::optional<std::string>> uuids;
    for (const MountEntry& entry : table.entries()) {
        // Only a mount of a device has a UUID; asking of the others would be wasted work.
        if (!entry.source.starts_with('/') || !path::isAtOrBelow(onVolume, entry.root)) {
            continue;
        }
        const auto [known, added] = uuids.try_emplace(entry.device);
        if (added) {
            known->second = volumes.uuid(entry.device);
        }
        if (known->second != token.volumeUUID) {
            continue;
        }
        const std::string candidate =
            path::standardised(path::appending(entry.mountPoint, below(onVolume, entry.root)));
        if (path::isDirectory(candidate)) {
            return path::resolved(candidate);
        }
    }
    return std::nullopt;
}

} // namespace

const Volumes& Volumes::system()
{
    static const SystemVolumes volumes;
    return volumes;
}

std::string create(const std::string& folderPath)
{
    return create(folderPath, Volumes::system());
}

std::string create(const std::string& folderPath, const Volumes& volumes)
{
    // A relative path would name whatever the current folder happens to be.
    if (!folderPath.starts_with('/')) {
        throw PlatformError(ENOENT, "bookmark");
    }
    const std::string realPath = path::resolved(folderPath);
    const FileStatus status = FileStatus::read(realPath);
    if (!status.isDirectory()) {
        throw PlatformError(ENOTDIR, "bookmark");
    }
    if (!isValidUtf8(realPath)) {
        throw PlatformError(EILSEQ, "bookmark");
    }
    Token token;
    token.path = realPath;
    token.device = status.device;
    token.inode = status.inode;
    token.volumeUUID = volumes.uuid(status.device);
    token.mountRelative = placeOnVolume(realPath, status.device, volumes);
    return encode(token);
}

Resolved resolve(std::string_view token)
{
    return resolve(token, Volumes::system());
}

Resolved resolve(std::string_view bytes, const Volumes& volumes)
{
    const Token token = decode(bytes);
    if (path::isDirectory(token.path)) {
        std::string realPath = path::resolved(token.path);
        const bool stale = !sameIdentity(token, FileStatus::read(realPath), volumes);
        return {std::move(realPath), stale};
    }
    if (auto moved = elsewhere(token, volumes)) {
        return {std::move(*moved), true};
    }
    throw PlatformError(ENOENT, "bookmark");
}

bool startAccess(const std::string& /*path*/)
{
    return true;
}

void stopAccess(const std::string& /*path*/) {}

} // namespace Bookmark
} // namespace tollenvane
