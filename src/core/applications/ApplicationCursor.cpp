#include "core/applications/ApplicationCursor.h"

#include "core/applications/ApplicationWalk.h"
#include "core/base/Cancellation.h"
#include "core/base/Path.h"
#include "core/base/Pause.h"
#include "core/base/PlatformError.h"
#include "core/base/Utf8.h"
#include "core/scan/PacedSteps.h"
#include "core/scan/ScanErrors.h"

#include <chrono>
#include <unordered_set>
#include <utility>

namespace tollenvane {

struct ApplicationCursor::State {
    State(std::vector<std::string> rootPaths, ApplicationScanOptions scanOptions)
        : roots(std::move(rootPaths))
        , options(std::move(scanOptions))
    {}

    std::optional<ScanEvent> pacedStep(const std::stop_token& stop);
    std::optional<ScanEvent> step(const std::stop_token& stop);
    std::optional<ScanEvent> walk(const std::stop_token& stop);
    void openRoot(const std::string& root);
    std::optional<ScanEvent> consider(const ApplicationWalk::Entry& entry,
                                      const std::stop_token& stop);

    PacedSteps steps;
    const std::vector<std::string> roots;
    const ApplicationScanOptions options;
    std::size_t rootIndex = 0;
    std::optional<ApplicationWalk> enumerator;
    // Paths as walked: one bundle reached through two different paths is given twice.
    std::unordered_set<std::string> seen;
    // Time spent reading since the walk last rested.
    std::chrono::steady_clock::duration read{};
};

ApplicationCursor::ApplicationCursor(std::vector<std::string> roots, ApplicationScanOptions options)
    : state_(std::make_unique<State>(std::move(roots), std::move(options)))
{}

ApplicationCursor::~ApplicationCursor() = default;
ApplicationCursor::ApplicationCursor(ApplicationCursor&&) noexcept = default;
ApplicationCursor& ApplicationCursor::operator=(ApplicationCursor&&) noexcept = default;

std::optional<ScanEvent> ApplicationCursor::next(std::stop_token stop)
{
    if (!state_) {
        return std::nullopt;
    }
    // The steps rest by themselves: under the lock that keeps them one at a time.
    return state_->steps.next(std::chrono::nanoseconds::zero(), stop,
                              [&] { return state_->pacedStep(stop); });
}

std::optional<ScanEvent> ApplicationCursor::State::pacedStep(const std::stop_token& stop)
{
    if (read >= options.work) {
        pauseFor(options.pause, stop);
        read = {};
        if (stop.stop_requested()) {
            return std::nullopt;
        }
    }
    const auto started = std::chrono::steady_clock::now();
    std::optional<ScanEvent> event = step(stop);
    read += std::chrono::steady_clock::now() - started;
    return event;
}

std::optional<ScanEvent> ApplicationCursor::State::step(const std::stop_token& stop)
{
    try {
        return walk(stop);
    } catch (const Cancelled&) {
        return std::nullopt;
    }
}

std::optional<ScanEvent> ApplicationCursor::State::walk(const std::stop_token& stop)
{
    while (true) {
        if (!enumerator) {
            if (rootIndex == roots.size()) {
                return ScanEvent::finished();
            }
            openRoot(roots[rootIndex++]);
        } else if (const std::optional<ApplicationWalk::Entry> entry = enumerator->next()) {
            if (std::optional<ScanEvent> event = consider(*entry, stop)) {
                return event;
            }
        } else {
            enumerator.reset();
        }
        if (stop.stop_requested()) {
            return std::nullopt;
        }
    }
}

void ApplicationCursor::State::openRoot(const std::string& root)
{
    // No record could hold a path that is not UTF-8, and no problem text could name it.
    if (!isValidUtf8(root)) {
        return;
    }
    try {
        enumerator.emplace(root);
    } catch (const PlatformError&) {
        // A missing or unreadable application folder simply holds no applications.
    }
}

std::optional<ScanEvent> ApplicationCursor::State::consider(const ApplicationWalk::Entry& entry,
                                                            const std::stop_token& stop)
{
    // Any kind of entry named like a bundle is taken, links excepted.
    if (entry.status.isSymbolicLink() || path::toLowerAscii(path::extension(entry.path)) != "app" ||
        !seen.insert(entry.path).second) {
        return std::nullopt;
    }
    try {
        return ScanEvent::batch({options.recordReader(entry.path, stop)});
    } catch (const Cancelled&) {
        throw;
    } catch (const std::exception& error) {
        return ScanEvent::issue(ScanErrors::text(path::lastComponent(entry.path), error));
    }
}

} // namespace tollenvane
