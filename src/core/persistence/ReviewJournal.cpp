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
#include <cerrno>
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

// Appends `line` to an existing journal; false when there is none. A failed write is undone so
// that no torn last line is left behind.
bool appendToExisting(const std::string& path, std::string_view line)
{
    const UniqueFd fd = openJournal(path, O_WRONLY | O_APPEND);
    if (!fd) {
        if (errno == ENOENT) {
            return false;
        }
        PlatformError::throwLast("open review journal");
    }
    const FileStatus before = FileStatus::ofDescriptor(fd.get());
    requireRegularFile(before);
    if (const int error = writeAll(fd.get(), line); error != 0) {
        // Best effort: when even this fails, the error thrown is still the write's.
        [[maybe_unused]] const int ignored = ::ftruncate(fd.get(), before.size);
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
        throw DecodeError("review journal, line " + std::to_string(lineNumber) + ": " +
                          error.what());
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
    const UniqueFd fd = openJournal(path_, O_RDONLY);
    if (!fd) {
        if (errno == ENOENT) {
            return {};
        }
        PlatformError::throwLast("open review journal");
    }
    requireRegularFile(FileStatus::ofDescriptor(fd.get()));
    const std::string content = readToEnd(fd.get()).value();

    ReviewStamps stamps;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = std::min(content.find('\n', start), content.size());
        ++lineNumber;
        if (end > start) {
            apply(stamps,
                  decodeLine(std::string_view(content).substr(start, end - start), lineNumber));
        }
        start = end + 1;
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
