#pragma once

#include "core/base/UniqueFd.h"
#include "core/scan/FolderListing.h"
#include "core/scan/PendingFolder.h"
#include "core/scan/ScanOptions.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <queue>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tollenvane {

// Helper threads that list the folders of one walk before it gets to them: all the entries of a
// folder at once, the status of each file, each subfolder to enter opened and handed on in turn.
// They take the folders nearest to the walk's position first, and stop reading ahead past a
// budget of descriptors and entries; the walk then opens, or lists, what is left itself. Every
// descriptor is closed and every helper joined when it is destroyed.
class ReadAhead {
public:
    static constexpr long descriptorLimit = 256;
    static constexpr long entryLimit = 16384;
    static constexpr std::size_t retireBatch = 64;

    // `options` must outlive it.
    ReadAhead(unsigned helpers, bool showHidden, std::int64_t minimumSize,
              const ScanOptions& options);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // A folder the walk opened itself, to be listed by the first thread free.
    std::shared_ptr<PendingFolder> add(std::vector<std::uint32_t> position, std::string path,
                                       UniqueFd fd, std::shared_ptr<const Ancestry> ancestry);
    // Waits for the listing of `folder`, or reads it on this thread when no helper has started
    // it; false when `stop` came first, and the listing must not be used.
    bool take(PendingFolder& folder, const std::stop_token& stop);
    // A folder the walk has left, freed by a helper: its listing was allocated by one, and
    // freeing it on the walk's thread would wait for that helper's allocator.
    void retire(std::shared_ptr<PendingFolder> folder);

private:
    struct Task {
        std::vector<std::uint32_t> position;
        std::weak_ptr<PendingFolder> folder;
    };
    using Folders = std::vector<std::shared_ptr<PendingFolder>>;
    struct Later {
        bool operator()(const Task& a, const Task& b) const { return a.position > b.position; }
    };

    void stop();
    void work();
    std::shared_ptr<PendingFolder> nextTask(std::unique_lock<std::mutex>& lock);
    bool list(PendingFolder& folder, const std::stop_token& stop, Folders& opened);
    unsigned publish(Folders& opened);
    static void reserve(FolderListing& listing, const char* entries, long bytes);
    void keep(PendingFolder& folder, std::string_view name, unsigned char type, Folders& opened);
    void keepFile(PendingFolder& folder, std::string_view name, std::optional<FileStatus> status);
    void keepFolder(PendingFolder& folder, std::string_view name, Folders& opened);
    ListedEntry& addEntry(FolderListing& listing, std::string_view name, ListedEntry::Kind kind);
    void addProblem(FolderListing& listing, std::string_view name, const PlatformError& error);
    void enqueue(const std::shared_ptr<PendingFolder>& folder);
    void handOver(Folders& opened);
    void wake(unsigned helpers);
    bool reserveDescriptor();

    const bool showHidden_;
    const std::int64_t minimumSize_;
    const ScanOptions& options_;
    const std::vector<std::string> trash_;
    const long descriptorBudget_;
    ReadAheadLoad load_;
    std::atomic<bool> stopping_{false};
    std::mutex lock_;
    std::condition_variable work_;
    std::condition_variable_any ready_;
    std::atomic<bool> walkWaiting_{false};
    std::atomic<std::size_t> queued_{0}; // the tasks' count, written under the lock
    std::atomic<unsigned> sleeping_{0};  // helpers waiting for work, written under the lock
    std::atomic<bool> looking_{false};   // a helper looks for work before it sleeps
    std::priority_queue<Task, std::vector<Task>, Later> tasks_;
    Folders retiring_; // the walk's own
    Folders retired_;  // under the lock, for a helper to free
    std::vector<std::jthread> helpers_;
};

} // namespace tollenvane
