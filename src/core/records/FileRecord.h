#pragma once

#include "core/base/Date.h"
#include "core/base/FileStatus.h"
#include "core/base/InternedText.h"
#include "core/base/Json.h"
#include "core/base/SharedText.h"
#include "core/records/FileIdentity.h"
#include "core/records/FileKind.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

namespace tollenvane {

class CloudStatus;
class FileMetadata;
class TypeLookup;

// The picture of one file or application bundle taken at one moment. Never changes once built:
// a newer picture of the same file is a new record. Made only from disk or from its JSON form.
class FileRecord {
public:
    // The platform layers a record is built with; tests may pass their own.
    struct Environment {
        const TypeLookup& types;
        const FileMetadata& metadata;
        const CloudStatus& cloud;

        static const Environment& system();
    };

    // A fresh picture of the item at `path`: one statx, links not followed. Throws
    // FileError::unsupported for anything but a regular file or a folder whose extension is
    // "app" (a symbolic link included), PlatformError when the item cannot be examined, and
    // what measuring a bundle throws (FileError, Cancelled).
    static FileRecord read(const std::string& path, std::stop_token stop = {},
                           const Environment& environment = Environment::system());
    // The same from metadata the caller has just read (the folder scan).
    static FileRecord fromStatus(const std::string& path, const FileStatus& status,
                                 std::stop_token stop = {},
                                 const Environment& environment = Environment::system());

    // Whether the content is on this computer, right before it is read. Throws
    // FileError::missing when nothing is there (a dangling link included) and
    // FileError::unsafeSource when the path passes through a symbolic link.
    static bool isAvailableLocally(const std::string& path,
                                   const CloudStatus& cloud = defaultCloud());

    Json toJson() const;
    // Throws DecodeError when a required key is missing or a value has the wrong type.
    static FileRecord fromJson(const Json& json);

    // The standardised path; the record's identity in lists, maps and queues.
    std::string_view path() const { return path_.view(); }
    std::string_view id() const { return path_.view(); }
    // The path itself, for holders that keep it beside the record without a copy.
    const SharedText& sharedPath() const { return path_; }
    std::string_view name() const;
    FileIdentity identity() const { return {device_, inode_}; }

    std::int64_t size() const { return size_; }
    std::int64_t allocatedSize() const { return allocatedSize_; }
    std::uint64_t linkCount() const
    {
        return linkCount_ != linkCountElsewhere ? linkCount_ : *rare_.get()->linkCount;
    }
    const std::optional<std::string>& applicationVersion() const
    {
        return bundle().applicationVersion;
    }
    const std::optional<std::string>& bundleIdentifier() const { return bundle().bundleIdentifier; }
    Date created() const { return created_; }
    Date modified() const { return modified_; }
    FileKind kind() const { return static_cast<FileKind>(kind_); }
    bool screenshot() const { return screenshot_; }
    bool available() const { return available_; }
    std::uint64_t device() const { return device_; }
    std::uint64_t inode() const { return inode_; }
    InternedText volumeUUID() const { return volumeUUID_; }
    std::int64_t changeSeconds() const { return changeSeconds_; }
    std::int64_t changeNanoseconds() const
    {
        return changeNanoseconds_ != nanosecondsElsewhere ? changeNanoseconds_
                                                          : *rare_.get()->changeNanoseconds;
    }
    const std::optional<std::string>& packageFingerprint() const
    {
        return bundle().packageFingerprint;
    }
    const std::optional<Date>& lastUsed() const { return bundle().lastUsed; }

    // Same file on disk: same volume, same inode.
    bool sameFilesystemIdentity(const FileRecord& other) const;
    // Same file in the same content state; the path, kind and availability play no part.
    bool sameVersion(const FileRecord& other) const;
    // Same volume: the UUIDs when both records have one, else the device numbers.
    bool sameVolume(const FileRecord& other) const;

    bool operator==(const FileRecord& other) const;

private:
    // What only an application bundle has.
    struct BundleDetails {
        std::optional<std::string> applicationVersion = std::nullopt;
        std::optional<std::string> bundleIdentifier = std::nullopt;
        std::optional<std::string> packageFingerprint = std::nullopt;
        std::optional<Date> lastUsed = std::nullopt;

        bool operator==(const BundleDetails&) const = default;
    };
    // What few records have: a bundle's details, and values too large for the narrow fields
    // that hold them for every other record.
    struct Rare {
        BundleDetails bundle;
        std::optional<std::uint64_t> linkCount = std::nullopt;
        std::optional<std::int64_t> changeNanoseconds = std::nullopt;
    };
    // A pointer wide, copied with the record; plain files, nearly every record, have none.
    class RareBlock {
    public:
        RareBlock() = default;
        RareBlock(const RareBlock& other);
        RareBlock(RareBlock&&) noexcept = default;
        RareBlock& operator=(RareBlock other) noexcept;
        ~RareBlock() = default;

        const Rare* get() const { return rare_.get(); }
        Rare& edit();

    private:
        std::unique_ptr<Rare> rare_;
    };

    static constexpr std::uint16_t linkCountElsewhere = UINT16_MAX;
    static constexpr std::int32_t nanosecondsElsewhere = INT32_MIN;

    FileRecord() = default;
    static const CloudStatus& defaultCloud();
    const BundleDetails& bundle() const;
    void setBundle(BundleDetails details);
    void setLinkCount(std::uint64_t count);
    void setChangeNanoseconds(std::int64_t nanoseconds);

    // Ordered and narrowed for size: a million of these make the index.
    SharedText path_;
    std::int64_t size_ = 0;
    std::int64_t allocatedSize_ = 0;
    Date created_ = distantPast;
    Date modified_ = distantPast;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::int64_t changeSeconds_ = 0;
    InternedText volumeUUID_;
    RareBlock rare_;
    std::int32_t changeNanoseconds_ = 0; // nanosecondsElsewhere: in rare_
    std::uint16_t linkCount_ = 0;        // linkCountElsewhere: in rare_
    std::uint8_t kind_ = static_cast<std::uint8_t>(FileKind::other);
    bool screenshot_ : 1 = false;
    bool available_ : 1 = true;
};

// Whether a name marks a screen capture in one of the supported languages.
bool hasScreenshotName(std::string_view name);

} // namespace tollenvane

template <>
struct std::hash<tollenvane::FileRecord> {
    std::size_t operator()(const tollenvane::FileRecord& record) const noexcept;
};
