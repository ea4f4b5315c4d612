#include "app/screens/sources/SourceRules.h"

#include "core/base/Path.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

SourceRow sourceRow(const std::optional<SourceStatus>& status, const FileInsights& insights)
{
    SourceRow row = sourceLine(status ? &*status : nullptr);
    if (row.resolved) {
        row.fileCount = sourceFileCount(row.statusLine, insights);
    }
    return row;
}

SourceRow sourceLine(const SourceStatus* status)
{
    if (status != nullptr && status->location) {
        return {*status->location, std::nullopt, true};
    }
    if (status != nullptr && status->error) {
        return {*status->error, std::nullopt, false};
    }
    return {Localization::text("Accès à renouveler"), std::nullopt, false};
}

std::int64_t sourceFileCount(const std::string& location, const FileInsights& insights)
{
    const auto found = insights.sources.find(path::standardised(location));
    return found == insights.sources.end() ? 0 : found->second.count;
}

bool canChangeSources(bool sessionActive, bool busy)
{
    return !sessionActive && !busy;
}

bool canRescan(bool scanning, bool sessionActive, bool busy)
{
    return !scanning && !sessionActive && !busy;
}

bool canRenewSource(bool sessionActive)
{
    return !sessionActive;
}

} // namespace tollenvane
