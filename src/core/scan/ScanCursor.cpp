#include "core/scan/ScanCursor.h"

#include "core/access/FolderAccess.h"
#include "core/base/FileError.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/localisation/Localization.h"
#include "core/scan/FolderWalk.h"
#include "core/scan/PacedSteps.h"
#include "core/scan/PreparedRecord.h"
#include "core/scan/ScanErrors.h"

#include <exception>
#include <utility>

namespace tollenvane {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

struct ScanCursor::State {
    State(std::vector<std::string> rootPaths, bool showHidden, std::int64_t minimumSize,
          ScanOptions scanOptions)
        : roots(std::move(rootPaths))
        , hidden(showHidden)
        , minimum(minimumSize)
        , options(std::move(scanOptions))
    {}

    std::optional<ScanEvent> step(const std::stop_token& stop);
    std::optional<ScanEvent> walk(const std::stop_token& stop);
    void normalize();
    void openRoot(const std::string& root);
    void record(FoundFile file, std::vector<FileRecord>& batch);
    ScanEvent handOut(std::vector<FileRecord> batch);
    ScanEvent afterLastRoot(std::vector<FileRecord> batch);
    ScanEvent end();

    PacedSteps steps;
    std::vector<std::string> roots;
    const bool hidden;
    const std::int64_t minimum;
    const ScanOptions options;
    bool normalized = false;
    std::size_t rootIndex = 0;
    std::optional<FolderWalk> enumerator;
    ScanErrors errors;
    bool firstBatch = true;
    bool overflowReported = false;
};

ScanCursor::ScanCursor(std::vector<std::string> roots, bool showHidden, std::int64_t minimumSize,
                       ScanOptions options)
    : state_(std::make_unique<State>(std::move(roots), showHidden, minimumSize, std::move(options)))
{}

ScanCursor::~ScanCursor() = default;
ScanCursor::ScanCursor(ScanCursor&&) noexcept = default;
ScanCursor& ScanCursor::operator=(ScanCursor&&) noexcept = default;

std::optional<ScanEvent> ScanCursor::next(std::stop_token stop)
{
    if (!state_) {
        return std::nullopt;
    }
    // A stream that ended has its helpers joined and its descriptors closed at once, not when
    // the cursor goes.
    return state_->steps.next(
        state_->options.pause, stop, [&] { return state_->step(stop); },
        [&] { state_->enumerator.reset(); });
}

std::optional<ScanEvent> ScanCursor::State::step(const std::stop_token& stop)
{
    normalize();
    // A pending problem goes out before any further walking.
    if (auto text = errors.next()) {
        return ScanEvent::issue(std::move(*text));
    }
    return walk(stop);
}

std::optional<ScanEvent> ScanCursor::State::walk(const std::stop_token& stop)
{
    const std::size_t limit = firstBatch ? firstBatchLimit : batchLimit;
    std::vector<FileRecord> batch;
    batch.reserve(limit);
    const Clock::time_point start = Clock::now();
    while (true) {
        if (!enumerator) {
            if (rootIndex == roots.size()) {
                return afterLastRoot(std::move(batch));
            }
            openRoot(roots[rootIndex++]);
            continue;
        }
        if (enumerator->finished()) {
            enumerator.reset();
            continue;
        }
        if (std::optional<FoundFile> file = enumerator->step(stop)) {
            record(std::move(*file), batch);
        } else if (stop.stop_requested()) {
            // The step may have been cut short.
            return std::nullopt;
        }
        // Slow folders still show progress.
        if (batch.size() >= limit || (!batch.empty() && Clock::now() - start >= batchTime)) {
            return handOut(std::move(batch));
        }
        if (stop.stop_requested()) {
            return std::nullopt;
        }
    }
}

void ScanCursor::State::normalize()
{
    if (!normalized) {
        roots = FolderAccess::normalizedRoots(roots);
        normalized = true;
    }
}

void ScanCursor::State::openRoot(const std::string& root)
{
    // A path that cannot be shown nor stored is never scanned, and no text could name it.
    if (!isValidUtf8(root)) {
        return;
    }
    const std::string_view name = path::lastComponent(root);
    try {
        FolderAccess::validateSource(root);
    } catch (const FileError& refusal) {
        errors.add(ScanErrors::text(name, refusal));
        return;
    } catch (const PlatformError& error) {
        errors.add(ScanErrors::text(name, error));
        return;
    }
    try {
        enumerator.emplace(root, hidden, options, errors, minimum);
    } catch (const PlatformError&) {
        errors.add(L("{0} : accès impossible.", name));
    }
}

void ScanCursor::State::record(FoundFile file, std::vector<FileRecord>& batch)
{
    PreparedRecord prepared = file.prepared ? std::move(*file.prepared)
                                            : PreparedRecord::make(file.path, file.status, minimum);
    if (prepared.record) {
        batch.push_back(std::move(*prepared.record));
        return;
    }
    if (!prepared.failure) {
        return;
    }
    try {
        std::rethrow_exception(prepared.failure);
    } catch (const std::exception& error) {
        errors.add(ScanErrors::text(path::lastComponent(file.path), error));
    }
}

ScanEvent ScanCursor::State::handOut(std::vector<FileRecord> batch)
{
    firstBatch = false;
    return ScanEvent::batch(std::move(batch));
}

ScanEvent ScanCursor::State::afterLastRoot(std::vector<FileRecord> batch)
{
    if (!batch.empty()) {
        return handOut(std::move(batch));
    }
    if (auto text = errors.next()) {
        return ScanEvent::issue(std::move(*text));
    }
    return end();
}

ScanEvent ScanCursor::State::end()
{
    const std::int64_t surplus = errors.count() - static_cast<std::int64_t>(ScanErrors::keptLimit);
    if (surplus < 1 || overflowReported) {
        return ScanEvent::finished();
    }
    overflowReported = true;
    return ScanEvent::issue(ScanErrors::skippedText(surplus), surplus);
}

} // namespace tollenvane
