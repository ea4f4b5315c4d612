#include "core/records/FilterMatcher.h"

#include "core/base/Path.h"
#include "core/platform/UserDirectories.h"
#include "core/records/FileRecord.h"

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

} // namespace

FilterMatcher::FilterMatcher(const SessionFilter& filter, Date now)
    : filter_(filter)
    , cutOff_(now + static_cast<double>(filter.olderThanDays) * -secondsPerDay)
    , folderPrefix_(filter.folderPath ? *filter.folderPath + "/" : std::string())
    , search_(filter.search)
{}

bool FilterMatcher::matches(const FileRecord& record) const
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
    if (search_.empty()) {
        return true;
    }
    return search_.foundIn(record.name()) || search_.foundIn(path::parent(record.path()));
}

} // namespace tollenvane
