#include "core/applications/AppDataInventory.h"

#include "core/access/FolderAccess.h"
#include "core/base/Cancellation.h"
#include "core/base/FileStatus.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/records/BundleSnapshot.h"
#include "core/records/FileRecord.h"
#include "core/scan/ScanErrors.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tollenvane::AppDataInventory {

namespace {

struct Probe {
    std::string LibraryFolders::*folder;
    AppDataCategory category;
};

// Walked in this order for every application.
constexpr std::array<Probe, 4> probes{{
    {&LibraryFolders::caches, AppDataCategory::cache},
    {&LibraryFolders::logs, AppDataCategory::logs},
    {&LibraryFolders::preferences, AppDataCategory::preferences},
    {&LibraryFolders::support, AppDataCategory::support},
}};

bool isAsciiAlphanumeric(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool isIdentifierPart(std::string_view part)
{
    return !part.empty() && isAsciiAlphanumeric(part.front()) &&
           std::all_of(part.begin() + 1, part.end(),
                       [](char c) { return isAsciiAlphanumeric(c) || c == '_' || c == '-'; });
}

bool isInstalledElsewhere(const RemovedApplication& application,
                          const ApplicationRegistry& registry, const std::stop_token& stop)
{
    const std::optional<std::string> registered = registry.locate(application.id, stop);
    // A copy in a trash, or a registration whose bundle is gone, leaves the data orphaned.
    return registered && path::exists(*registered) && !FolderAccess::isInsideTrash(*registered);
}

// A relative path names nothing certain: it could only be read against the current folder.
bool isBackInPlace(const RemovedApplication& application)
{
    return application.originalPath.starts_with('/') && path::exists(application.originalPath);
}

bool isSkipped(const RemovedApplication& application,
               const std::set<std::string, std::less<>>& installedIDs,
               const ApplicationRegistry* registry, const std::stop_token& stop)
{
    return !isInspectableIdentifier(application.id) ||
           path::toLowerAscii(application.id).starts_with("com.apple.") ||
           installedIDs.contains(application.id) || isBackInPlace(application) ||
           (registry != nullptr && isInstalledElsewhere(application, *registry, stop));
}

// A link anywhere on the way could lead outside the user's data.
bool isReachedThroughLink(const std::string& candidate)
{
    try {
        return !path::isLinkFree(candidate);
    } catch (const PlatformError&) {
        return true;
    }
}

// Nothing for an item passed over silently.
std::optional<std::int64_t> measure(const std::string& candidate, const std::stop_token& stop)
{
    const FileStatus status = FileStatus::read(candidate);
    if (status.isSymbolicLink()) {
        return std::nullopt;
    }
    if (status.isDirectory()) {
        return BundleSnapshot::measure(candidate, stop).size;
    }
    return FileRecord::read(candidate, stop).size();
}

class Inspection {
public:
    Inspection(const LibraryFolders& library, std::stop_token stop)
        : library_(library)
        , stop_(std::move(stop))
    {}

    void probe(const RemovedApplication& application)
    {
        for (const Probe& row : probes) {
            const std::string candidate = path::appending(library_.*row.folder, application.id);
            if (!path::exists(candidate) || isReachedThroughLink(candidate)) {
                continue;
            }
            try {
                if (const std::optional<std::int64_t> size = measure(candidate, stop_)) {
                    report_.entries.push_back({candidate, application.name, row.category, *size});
                }
            } catch (const Cancelled&) {
                throw;
            } catch (const std::exception& error) {
                addIssue(ScanErrors::text(path::lastComponent(candidate), error));
            }
        }
    }

    AppDataReport finish()
    {
        std::stable_sort(
            report_.entries.begin(), report_.entries.end(),
            [](const AppDataEntry& a, const AppDataEntry& b) { return a.size > b.size; });
        return std::move(report_);
    }

private:
    void addIssue(std::string text)
    {
        if (report_.issues.size() < AppDataReport::issueLimit) {
            report_.issues.push_back(std::move(text));
        }
    }

    const LibraryFolders& library_;
    const std::stop_token stop_;
    AppDataReport report_;
};

} // namespace

bool isInspectableIdentifier(std::string_view identifier)
{
    std::size_t parts = 0;
    while (true) {
        const std::size_t dot = identifier.find('.');
        if (!isIdentifierPart(identifier.substr(0, dot))) {
            return false;
        }
        ++parts;
        if (dot == std::string_view::npos) {
            return parts >= 2;
        }
        identifier.remove_prefix(dot + 1);
    }
}

AppDataReport inspect(const std::vector<RemovedApplication>& removed,
                      const std::set<std::string, std::less<>>& installedIDs,
                      const LibraryFolders& library, const ApplicationRegistry* registry,
                      std::stop_token stop)
{
    Inspection inspection(library, stop);
    for (const RemovedApplication& application : removed) {
        throwIfCancelled(stop);
        if (!isSkipped(application, installedIDs, registry, stop)) {
            inspection.probe(application);
        }
    }
    return inspection.finish();
}

} // namespace tollenvane::AppDataInventory
