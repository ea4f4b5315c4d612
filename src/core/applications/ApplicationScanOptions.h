#pragma once

#include "core/records/FileRecord.h"

#include <chrono>
#include <functional>
#include <stop_token>
#include <string>

namespace tollenvane {

// How an application scan paces itself and builds its records. The defaults are the real
// thing; tests drop the pause and stand in for bundles that fail to be read.
struct ApplicationScanOptions {
    // Throws FileError, PlatformError, or Cancelled when asked to stop.
    using RecordReader = std::function<FileRecord(const std::string& path, std::stop_token stop)>;

    static FileRecord readRecord(const std::string& path, std::stop_token stop)
    {
        return FileRecord::read(path, std::move(stop));
    }

    // Before each step: measuring bundles is heavy, and other work gets room in between.
    std::chrono::nanoseconds pause = std::chrono::milliseconds(3);
    RecordReader recordReader = readRecord;
};

} // namespace tollenvane
