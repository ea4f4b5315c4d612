#pragma once

#include "core/insights/FileInsights.h"
#include "model/access/SourceStatus.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

// What one source's panel shows, from its grant's last resolution.
struct SourceRow {
    // The resolved folder, else the error met, else the access to renew.
    std::string statusLine;
    // Files indexed under the folder; only for a resolved folder.
    std::optional<std::int64_t> fileCount;
    // A resolved folder offers to open it; any other one to renew its access.
    bool resolved = false;

    bool operator==(const SourceRow&) const = default;
};

// The row of a grant; `status` is none before the grant was first resolved.
SourceRow sourceRow(const std::optional<SourceStatus>& status, const FileInsights& insights);
// The same without the file count, which alone needs the insights.
SourceRow sourceLine(const SourceStatus* status);

// Files indexed under a resolved source. The scan keys its counts by the link-resolved folder,
// which is what the resolution gives, so a folder chosen through a link still finds its count.
std::int64_t sourceFileCount(const std::string& location, const FileInsights& insights);

// Adding folders, the suggestions and removing a source wait for the session and the decision.
bool canChangeSources(bool sessionActive, bool busy);
bool canRescan(bool scanning, bool sessionActive, bool busy);
// Renewing waits for the session only: the model itself ignores it during a decision.
bool canRenewSource(bool sessionActive);

} // namespace tollenvane
