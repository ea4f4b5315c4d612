#pragma once

#include "core/scan/ScanEvent.h"
#include "core/scan/ScanOptions.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace tollenvane {

// The state of one folder scan, pulled one step at a time. Steps run one at a time, whatever
// the thread that asks.
class ScanCursor {
public:
    static constexpr std::size_t firstBatchLimit = 64;
    static constexpr std::size_t batchLimit = 512;
    static constexpr std::chrono::milliseconds batchTime{80};

    ScanCursor(std::vector<std::string> roots, bool showHidden, std::int64_t minimumSize,
               ScanOptions options = {});
    ~ScanCursor();
    ScanCursor(ScanCursor&&) noexcept;
    ScanCursor& operator=(ScanCursor&&) noexcept;

    // One step of work: a batch of records, one problem, or `finished` once the walk is over.
    // Nothing ends the stream: after `finished`, and when `stop` was requested (a partly filled
    // batch is then dropped and every later call gives nothing too). Problems never end it.
    std::optional<ScanEvent> next(std::stop_token stop = {});

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace tollenvane
