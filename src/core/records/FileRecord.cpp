#include "core/records/FileRecord.h"

#include "core/base/FileError.h"
#include "core/base/FileUrl.h"
#include "core/base/Path.h"
#include "core/base/Utf8.h"
#include "core/localisation/TextSearch.h"
#include "core/platform/BundleInfo.h"
#include "core/platform/CloudStatus.h"
#include "core/platform/FileMetadata.h"
#include "core/platform/TypeLookup.h"
#include "core/platform/VolumeIdentity.h"
#include "core/records/BundleSnapshot.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>

namespace tollenvane {

namespace {

Date dateOf(const Timestamp& timestamp)
{
    return dateFromTimestamp(timestamp.seconds, timestamp.nanoseconds);
}

bool isBundle(const std::string& path, const FileStatus& status)
{
    return status.isDirectory() && path::toLowerAscii(path::extension(path)) == "app";
}

// Every other caller re-checks the disk; only a name that cannot be stored is refused here.
void requireSupported(const std::string& path, const FileStatus& status)
{
    if (!isBundle(path, status) && !status.isRegular()) {
        throw FileError(FileError::unsupported);
    }
    if (!isValidUtf8(path)) {
        throw FileError(FileError::unsupported);
    }
}

} // namespace

const FileRecord::Environment& FileRecord::Environment::system()
{
    static const Environment environment{TypeLookup::system(), FileMetadata::system(),
                                         CloudStatus::system()};
    return environment;
}

const CloudStatus& FileRecord::defaultCloud()
{
    return CloudStatus::system();
}

FileRecord FileRecord::read(const std::string& path, std::stop_token stop,
                            const Environment& environment)
{
    return fromStatus(path, FileStatus::read(path), std::move(stop), environment);
}

FileRecord FileRecord::fromStatus(const std::string& path, const FileStatus& status,
                                  std::stop_token stop, const Environment& environment)
{
    requireSupported(path, status);
    FileRecord record;
    record.path_ =
        path::isStandardised(path) ? SharedText(path) : SharedText(path::standardised(path));
    if (isBundle(path, status)) {
        const BundleSnapshot snapshot = BundleSnapshot::measure(path, std::move(stop));
        record.size_ = snapshot.size;
        record.allocatedSize_ = snapshot.allocatedSize;
        BundleDetails details{.packageFingerprint = snapshot.fingerprint,
                              .lastUsed = environment.metadata.lastUsed(path)};
        if (const auto info = BundleInfo::read(path)) {
            details.applicationVersion = info->shortVersion;
            details.bundleIdentifier = info->identifier;
        }
        record.setBundle(std::move(details));
    } else {
        record.size_ = status.size;
        record.allocatedSize_ = status.allocatedSize();
    }
    record.setLinkCount(status.linkCount);
    record.created_ = status.born ? dateOf(*status.born) : distantPast;
    record.modified_ = dateOf(status.modified);
    record.kind_ = static_cast<std::uint8_t>(classify(path, environment.types));
    record.device_ = status.device;
    record.inode_ = status.inode;
    record.volumeUUID_ = VolumeIdentity::uuid(path, status.device);
    record.changeSeconds_ = status.changed.seconds;
    record.setChangeNanoseconds(status.changed.nanoseconds);
    record.available_ = environment.cloud.isDownloaded(path).value_or(true);
    // Only images can be captures, whatever their name says.
    if (record.kind() == FileKind::image) {
        record.screenshot_ = hasScreenshotName(record.name()) ||
                             environment.metadata.isScreenCapture(path).value_or(false);
    }
    return record;
}

bool FileRecord::isAvailableLocally(const std::string& path, const CloudStatus& cloud)
{
    if (!path::exists(path)) {
        throw FileError(FileError::missing);
    }
    if (!path::isLinkFree(path)) {
        throw FileError(FileError::unsafeSource);
    }
    return cloud.isDownloaded(path).value_or(true);
}

FileRecord::RareBlock::RareBlock(const RareBlock& other)
    : rare_(other.rare_ ? std::make_unique<Rare>(*other.rare_) : nullptr)
{}

FileRecord::RareBlock& FileRecord::RareBlock::operator=(RareBlock other) noexcept
{
    rare_.swap(other.rare_);
    return *this;
}

FileRecord::Rare& FileRecord::RareBlock::edit()
{
    if (!rare_) {
        rare_ = std::make_unique<Rare>();
    }
    return *rare_;
}

const FileRecord::BundleDetails& FileRecord::bundle() const
{
    static const BundleDetails none;
    return rare_.get() != nullptr ? rare_.get()->bundle : none;
}

void FileRecord::setBundle(BundleDetails details)
{
    if (details != BundleDetails{} || rare_.get() != nullptr) {
        rare_.edit().bundle = std::move(details);
    }
}

void FileRecord::setLinkCount(std::uint64_t count)
{
    if (count < linkCountElsewhere) {
        linkCount_ = static_cast<std::uint16_t>(count);
    } else {
        linkCount_ = linkCountElsewhere;
        rare_.edit().linkCount = count;
    }
}

void FileRecord::setChangeNanoseconds(std::int64_t nanoseconds)
{
    if (nanoseconds > nanosecondsElsewhere && nanoseconds <= INT32_MAX) {
        changeNanoseconds_ = static_cast<std::int32_t>(nanoseconds);
    } else {
        changeNanoseconds_ = nanosecondsElsewhere;
        rare_.edit().changeNanoseconds = nanoseconds;
    }
}

bool FileRecord::operator==(const FileRecord& other) const
{
    return path_ == other.path_ && size_ == other.size_ && allocatedSize_ == other.allocatedSize_ &&
           linkCount() == other.linkCount() && created_ == other.created_ &&
           modified_ == other.modified_ && device_ == other.device_ && inode_ == other.inode_ &&
           changeSeconds_ == other.changeSeconds_ &&
           changeNanoseconds() == other.changeNanoseconds() && volumeUUID_ == other.volumeUUID_ &&
           bundle() == other.bundle() && kind_ == other.kind_ && screenshot_ == other.screenshot_ &&
           available_ == other.available_;
}

std::string_view FileRecord::name() const
{
    return path::lastComponent(path_);
}

bool FileRecord::sameVolume(const FileRecord& other) const
{
    if (volumeUUID_ && other.volumeUUID_) {
        return *volumeUUID_ == *other.volumeUUID_;
    }
    return device_ == other.device_;
}

bool FileRecord::sameFilesystemIdentity(const FileRecord& other) const
{
    return sameVolume(other) && inode_ == other.inode_;
}

bool FileRecord::sameVersion(const FileRecord& other) const
{
    return sameFilesystemIdentity(other) && size_ == other.size_ && modified_ == other.modified_ &&
           changeSeconds_ == other.changeSeconds_ &&
           changeNanoseconds() == other.changeNanoseconds() &&
           packageFingerprint() == other.packageFingerprint();
}

Json FileRecord::toJson() const
{
    Json json;
    json["url"] = fileUrl(path_);
    json["size"] = size_;
    json["allocatedSize"] = allocatedSize_;
    json["linkCount"] = linkCount();
    json::putOptional(json, "applicationVersion", applicationVersion());
    json::putOptional(json, "bundleIdentifier", bundleIdentifier());
    json["created"] = created_;
    json["modified"] = modified_;
    json["kind"] = rawValue(kind());
    json["screenshot"] = static_cast<bool>(screenshot_);
    json["available"] = static_cast<bool>(available_);
    json["device"] = device_;
    json["inode"] = inode_;
    json::putOptional(json, "volumeUUID", std::optional<std::string>(volumeUUID_));
    json["changeSeconds"] = changeSeconds_;
    json["changeNanoseconds"] = changeNanoseconds();
    json::putOptional(json, "packageFingerprint", packageFingerprint());
    json::putOptional(json, "lastUsed", lastUsed());
    return json;
}

FileRecord FileRecord::fromJson(const Json& json)
{
    json::requireObject(json, "file record");
    FileRecord record;
    record.path_ = SharedText(json::parsed(json, "url", pathFromFileUrl));
    record.size_ = json::int64(json, "size");
    record.allocatedSize_ = json::int64(json, "allocatedSize");
    record.setLinkCount(json::uint64(json, "linkCount"));
    BundleDetails details{.applicationVersion = json::optionalString(json, "applicationVersion"),
                          .bundleIdentifier = json::optionalString(json, "bundleIdentifier")};
    record.created_ = json::date(json, "created");
    record.modified_ = json::date(json, "modified");
    record.kind_ = static_cast<std::uint8_t>(json::parsed(json, "kind", fileKindFromRaw));
    record.screenshot_ = json::boolean(json, "screenshot");
    record.available_ = json::boolean(json, "available");
    record.device_ = json::uint64(json, "device");
    record.inode_ = json::uint64(json, "inode");
    record.volumeUUID_ = json::optionalString(json, "volumeUUID");
    record.changeSeconds_ = json::int64(json, "changeSeconds");
    record.setChangeNanoseconds(json::int64(json, "changeNanoseconds"));
    details.packageFingerprint = json::optionalString(json, "packageFingerprint");
    details.lastUsed = json::optionalNumber(json, "lastUsed");
    record.setBundle(std::move(details));
    return record;
}

bool hasScreenshotName(std::string_view name)
{
    // Lower-cased and composed, so that é and e + U+0301 compare equal; the two apostrophes
    // U+2019 and U+0027 stay different on purpose.
    static constexpr std::array<std::string_view, 8> texts{
        "screenshot",
        "screen shot",
        "capture d\u2019\u00e9cran",
        "capture d'\u00e9cran",
        "bildschirmfoto",
        "captura de pantalla",
        "schermata",
        "istantanea schermo",
    };
    const std::string lowered = lowercasedNfc(name);
    return std::any_of(texts.begin(), texts.end(), [&lowered](std::string_view text) {
        return lowered.find(text) != std::string::npos;
    });
}

} // namespace tollenvane

std::size_t
std::hash<tollenvane::FileRecord>::operator()(const tollenvane::FileRecord& record) const noexcept
{
    std::size_t seed = 0;
    const auto mix = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    const auto optionalText = [](const auto& text) {
        return text ? std::hash<std::string>{}(*text) : std::size_t{0x51ed};
    };
    mix(std::hash<std::string_view>{}(record.path()));
    mix(std::hash<std::int64_t>{}(record.size()));
    mix(std::hash<std::int64_t>{}(record.allocatedSize()));
    mix(std::hash<std::uint64_t>{}(record.linkCount()));
    mix(optionalText(record.applicationVersion()));
    mix(optionalText(record.bundleIdentifier()));
    mix(std::hash<double>{}(record.created()));
    mix(std::hash<double>{}(record.modified()));
    mix(static_cast<std::size_t>(record.kind()));
    mix(static_cast<std::size_t>(record.screenshot()) | (record.available() ? 2u : 0u));
    mix(std::hash<tollenvane::FileIdentity>{}(record.identity()));
    mix(optionalText(record.volumeUUID()));
    mix(std::hash<std::int64_t>{}(record.changeSeconds()));
    mix(std::hash<std::int64_t>{}(record.changeNanoseconds()));
    mix(optionalText(record.packageFingerprint()));
    mix(record.lastUsed() ? std::hash<double>{}(*record.lastUsed()) : 0x1a57);
    return seed;
}
