#include "core/records/FilterMatcher.h"

#include "core/base/Path.h"
#include "core/platform/UserDirectories.h"
#include "core/records/FileRecord.h"

#include <string.h>

#include <utility>

namespace tollenvane {

namespace {

constexpr double secondsPerDay = 86'400.0;

// A desktop in another language names its download folder otherwise ("Téléchargements"); that
// name counts as well as "Downloads". Read once: it changes only when the user renames it.
const std::string& localDownloadsName()
{
    static const std::string name = [] {
        auto own = UserDirectories::downloadFolderName();
        return own && *own != "Downloads" ? std::move(*own) : std::string();
    }();
    return name;
}

bool hasComponent(std::string_view path, std::string_view name)
{
    for (std::size_t at = path.find(name); at != std::string_view::npos;
         at = path.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if (at > 0 && path[at - 1] == '/' && (end == path.size() || path[end] == '/')) {
            return true;
        }
    }
    return false;
}

// Asked of most records when the presets are counted, so it allocates nothing.
bool inDownloads(std::string_view recordPath)
{
    const std::string& localName = localDownloadsName();
    return hasComponent(recordPath, "Downloads") ||
           (!localName.empty() && hasComponent(recordPath, localName));
}

struct PathParts {
    std::string_view folder;
    std::string_view name;
};

// path::parent and path::lastComponent with one search for the slash.
PathParts split(std::string_view path)
{
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    // memrchr rather than rfind, which steps one byte at a time.
    const void* found = path.empty() ? nullptr : memrchr(path.data(), '/', path.size());
    if (found == nullptr) {
        return {".", path};
    }
    if (path == "/") {
        return {path, path};
    }
    const auto slash = static_cast<std::size_t>(static_cast<const char*>(found) - path.data());
    return {slash == 0 ? path.substr(0, 1) : path.substr(0, slash), path.substr(slash + 1)};
}

} // namespace

FilterMatcher::FilterMatcher(const SessionFilter& filter, Date now)
    : filter_(filter)
    , cutOff_(now + static_cast<double>(filter.olderThanDays) * -secondsPerDay)
    , folderPrefix_(filter.folderPath ? *filter.folderPath + "/" : std::string())
    , search_(filter.search)
{}

bool FilterMatcher::matches(const FileRecord& record) const
{
    // The presets, asked of every record as it is indexed, have no search: no memo is made.
    if (!search_.empty()) {
        FolderMemo memo;
        return matches(record, memo);
    }
    return matchesBesidesSearch(record);
}

bool FilterMatcher::matches(const FileRecord& record, FolderMemo& memo) const
{
    if (!matchesBesidesSearch(record)) {
        return false;
    }
    if (search_.empty()) {
        return true;
    }
    const auto [folder, name] = split(record.path());
    const bool folderKnown = memo.known && memo.folder == folder;
    if (folderKnown && memo.found) {
        return true;
    }
    if (search_.foundIn(name)) {
        return true;
    }
    if (!folderKnown) {
        memo.folder.assign(folder);
        memo.found = search_.foundIn(folder);
        memo.known = true;
    }
    return memo.found;
}

bool FilterMatcher::matchesBesidesSearch(const FileRecord& record) const
{
    if (filter_.volumeDevice && record.device() != *filter_.volumeDevice) {
        return false;
    }
    if (!tollenvane::matches(filter_.type, record)) {
        return false;
    }
    if (record.size() < filter_.minimumSize) {
        return false;
    }
    if (filter_.olderThanDays != 0 && !(record.modified() < cutOff_)) {
        return false;
    }
    if (filter_.downloadsOnly && !inDownloads(record.path())) {
        return false;
    }
    // The prefix ends in a slash, so a longer path is below the folder.
    if (filter_.folderPath && !record.path().starts_with(folderPrefix_)) {
        return false;
    }
    return true;
}

} // namespace tollenvane
