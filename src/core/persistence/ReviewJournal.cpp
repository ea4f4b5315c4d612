#include "core/persistence/ReviewJournal.h"

#include "core/base/AtomicFile.h"
#include "core/base/FileContents.h"
#include "core/base/FileError.h"
#include "core/base/FileStatus.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <limits>
#include <utility>

namespace tollenvane {

namespace {

constexpr std::string_view journalExtension = ".reviews.jsonl";

// Not following a link keeps the journal from being redirected onto another file; not blocking
// keeps a FIFO put in its place from hanging the caller.
UniqueFd openJournal(const std::string& path, int access)
{
    return UniqueFd(::open(path.c_str(), access | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
}

void requireRegularFile(const FileStatus& status)
{
    if (!status.isRegular()) {
        throw PlatformError(EINVAL, "review journal: not a regular file");
    }
}

std::string encodeLine(const ReviewJournal::Entry& entry)
{
    std::string line;
    try {
        line = json::dump(entry.toJson());
    } catch (const Json::type_error&) {
        throw FileError(FileError::unsupported); // text that is not UTF-8 has no JSON form
    }
    // One line that does not read back would make the whole journal unreadable at the next
    // start, so it is refused before it reaches the file.
    ReviewJournal::Entry::fromJson(json::parse(line));
    line.push_back('\n');
    return line;
}

// A last line without its feed: whole, or nothing when a crash cut its append short.
std::optional<ReviewJournal::Entry> decodeLastLine(std::string_view line)
{
    try {
        return ReviewJournal::Entry::fromJson(json::parse(line));
    } catch (const DecodeError&) {
        return std::nullopt;
    }
}

// The bytes after the last line feed of the open journal, found reading backwards from its end.
std::string lastLineWithoutFeed(int fd, off_t size)
{
    std::array<char, 4096> buffer{};
    off_t start = size;
    while (start > 0) {
        const auto length = std::min(start, static_cast<off_t>(buffer.size()));
        const ssize_t count =
            ::pread(fd, buffer.data(), static_cast<std::size_t>(length), start - length);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count != length) {
            throw PlatformError(count < 0 ? errno : EIO, "read review journal");
        }
        const std::size_t feed =
            std::string_view(buffer.data(), static_cast<std::size_t>(length)).rfind('\n');
        if (feed != std::string_view::npos) {
            start -= length - static_cast<off_t>(feed) - 1;
            break;
        }
        start -= length;
    }
    if (::lseek(fd, start, SEEK_SET) < 0) {
        PlatformError::throwLast("read review journal");
    }
    return readToEnd(fd).value();
}

// Appends `line` to an existing journal; false when there is none. A last line without its
// feed gets one when it reads back, and is cut off when it does not: that is an append a crash
// cut short. A failed write is undone so that no torn last line is left behind.
bool appendToExisting(const std::string& path, std::string line)
{
    const UniqueFd fd = openJournal(path, O_RDWR | O_APPEND);
    if (!fd) {
        if (errno == ENOENT) {
            return false;
        }
        PlatformError::throwLast("open review journal");
    }
    const FileStatus before = FileStatus::ofDescriptor(fd.get());
    requireRegularFile(before);
    auto clean = static_cast<off_t>(before.size);
    if (const std::string tail = lastLineWithoutFeed(fd.get(), clean); !tail.empty()) {
        if (decodeLastLine(tail)) {
            line.insert(0, 1, '\n');
        } else {
            clean -= static_cast<off_t>(tail.size());
            if (::ftruncate(fd.get(), clean) != 0) {
                PlatformError::throwLast("cut the torn last line of the review journal");
            }
        }
    }
    if (const int error = writeAll(fd.get(), line); error != 0) {
        // Best effort: when even this fails, the error thrown is still the write's.
        [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), clean);
        throw PlatformError(error, "append to review journal");
    }
    return true;
}

void apply(ReviewStamps& stamps, ReviewJournal::Entry entry)
{
    if (entry.stamp) {
        stamps.insert_or_assign(std::move(entry.path), std::move(*entry.stamp));
    } else {
        stamps.erase(entry.path);
    }
}

ReviewJournal::Entry decodeLine(std::string_view line, std::size_t lineNumber)
{
    try {
        return ReviewJournal::Entry::fromJson(json::parse(line));
    } catch (const DecodeError& error) {
        throw DecodeError(
            "review journal, line " + std::to_string(lineNumber) + ": " + error.what(), lineNumber);
    }
}

} // namespace

Json ReviewJournal::Entry::toJson() const
{
    Json json;
    json["path"] = path;
    if (stamp) {
        json["stamp"] = stamp->toJson();
    }
    return json;
}

ReviewJournal::Entry ReviewJournal::Entry::fromJson(const Json& json)
{
    json::requireObject(json, "review journal line");
    Entry entry;
    entry.path = json::string(json, "path");
    if (const Json* stamp = json::optional(json, "stamp")) {
        entry.stamp = ReviewStamp::fromJson(*stamp);
    }
    return entry;
}

ReviewJournal::ReviewJournal(std::string path)
    : path_(std::move(path))
{}

std::string ReviewJournal::pathBeside(std::string_view stateFilePath)
{
    const std::string_view extension = path::extension(stateFilePath);
    const std::string_view base =
        extension.empty() ? stateFilePath
                          : stateFilePath.substr(0, stateFilePath.size() - extension.size() - 1);
    return std::string(base) + std::string(journalExtension);
}

ReviewStamps ReviewJournal::load() const
{
    const std::lock_guard lock(mutex_);
    const std::optional<std::string> content = readRegularFile(
        path_, "review journal", std::numeric_limits<std::size_t>::max(), O_NOFOLLOW);
    if (!content) {
        return {};
    }

    const std::string_view text(*content);
    const std::size_t lastFeed = text.rfind('\n');
    const std::size_t complete = lastFeed == std::string_view::npos ? 0 : lastFeed + 1;

    ReviewStamps stamps;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < complete) {
        const std::size_t end = text.find('\n', start);
        ++lineNumber;
        if (end > start) {
            apply(stamps, decodeLine(text.substr(start, end - start), lineNumber));
        }
        start = end + 1;
    }
    // A last line without its feed that does not read back is an append cut short: it was
    // never written as far as the journal is concerned.
    if (complete < text.size()) {
        if (auto entry = decodeLastLine(text.substr(complete))) {
            apply(stamps, *std::move(entry));
        }
    }
    return stamps;
}

void ReviewJournal::record(const std::string& filePath, const std::optional<ReviewStamp>& stamp)
{
    const std::string line = encodeLine({filePath, stamp});
    const std::lock_guard lock(mutex_);
    path::createPrivateFolders(std::string(path::parent(path_)));
    if (!appendToExisting(path_, line)) {
        writeFileAtomically(path_, line);
    }
}

void ReviewJournal::reset()
{
    const std::lock_guard lock(mutex_);
    writeFileAtomically(path_, {});
}

} // namespace tollenvane
