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

    // Measuring bundles is heavy, and other work gets room in between: before a step, the walk
    // rests `pause` once it has read for `work` since it last rested. Resting before every
    // bundle would leave a folder of small ones mostly waiting.
    std::chrono::nanoseconds pause = std::chrono::milliseconds(3);
    std::chrono::nanoseconds work = std::chrono::milliseconds(10);
    RecordReader recordReader = readRecord;
};

} // namespace tollenvane
