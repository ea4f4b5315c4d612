#pragma once

#include "core/base/Json.h"
#include "core/records/Decision.h"
#include "core/records/FileRecord.h"

#include <optional>
#include <string>

namespace tollenvane {

// What a performed decision did: exactly what undo needs, also after a restart.
struct OperationReceipt {
    FileRecord original; // as the scan saw it, not as re-read before the operation
    Decision decision = Decision::keep;
    std::optional<std::string> resultingPath;  // where the file is now (trash or move)
    std::optional<FileRecord> resultingRecord; // read there right after the operation
    std::optional<std::string> undoDigest;     // content digest of a small plain file

    // Keep and later always; trash and move only with both a place and a record there.
    bool canUndo() const;

    Json toJson() const;
    static OperationReceipt fromJson(const Json& json);

    bool operator==(const OperationReceipt&) const = default;
};

} // namespace tollenvane
