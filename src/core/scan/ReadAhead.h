#pragma once

#include "core/base/SpinLock.h"
#include "core/base/UniqueFd.h"
#include "core/base/WakeSignal.h"
#include "core/scan/FolderListing.h"
#include "core/scan/PendingFolder.h"
#include "core/scan/ScanOptions.h"

#include <atomic>
#include <cstdint>
#include <memory>
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
//
// Waking a sleeping thread can take longer than listing a folder, on an idle processor most of
// all, so no hand-over on the way waits for one: one helper at a time keeps looking for work for
// as long as the walk goes on, the others sleep until the read-ahead falls behind, and the walk
// spins while the folder it needs is being listed.
class ReadAhead {
public:
    static constexpr long descriptorLimit = 1024;
    static constexpr long entryLimit = 16384;

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
    // A folder the walk has left. What a helper allocated for it goes back to that helper to be
    // freed: freeing it on another thread would wait for the helper's allocator, which is busy.
    void retire(std::shared_ptr<PendingFolder> folder);

private:
    using Folders = std::vector<std::shared_ptr<PendingFolder>>;
    // Folders left for one helper to free.
    struct Inbox {
        SpinLock lock;
        Folders folders;
    };
    // Large folders first, which take long to list and would keep the walk waiting if begun as
    // it comes near; then the walk's order.
    struct Later {
        bool operator()(const std::shared_ptr<PendingFolder>& a,
                        const std::shared_ptr<PendingFolder>& b) const
        {
            return a->large != b->large ? b->large : a->position > b->position;
        }
    };

    void stop();
    void work(unsigned self);
    std::shared_ptr<PendingFolder> nextTask(Inbox& inbox, Folders& spare);
    std::shared_ptr<PendingFolder> pop();
    bool lookForWork();
    bool mayTake() const;
    bool behind() const;
    void wakeIfBehind();
    void waitUntilListed(const PendingFolder& folder, const std::stop_token& stop);
    bool list(PendingFolder& folder, const std::stop_token& stop, Folders& opened);
    void finish(PendingFolder& folder);
    void publish(Folders& opened);
    static void keepNameOnly(PendingFolder& folder);
    static void reserve(FolderListing& listing, const char* entries, long bytes);
    void keep(PendingFolder& folder, std::string_view name, unsigned char type, Folders& opened);
    void keepFile(PendingFolder& folder, std::string_view name, std::optional<FileStatus> status);
    void keepFolder(PendingFolder& folder, std::string_view name, Folders& opened);
    ListedEntry& addEntry(FolderListing& listing, std::string_view name, ListedEntry::Kind kind);
    void addProblem(FolderListing& listing, std::string_view name, const PlatformError& error);
    bool reserveDescriptor();
    void release(std::shared_ptr<PendingFolder> folder);
    bool post(unsigned owner, std::shared_ptr<PendingFolder>& folder);
    void collect(Inbox& inbox, Folders& spare);

    const bool showHidden_;
    const std::int64_t minimumSize_;
    const ScanOptions& options_;
    const std::vector<std::string> trash_;
    const long descriptorBudget_;
    ReadAheadLoad load_;
    std::atomic<bool> stopping_{false};
    SpinLock lock_; // over the tasks, held for a few instructions
    std::priority_queue<std::shared_ptr<PendingFolder>, Folders, Later> tasks_;
    std::atomic<std::size_t> queued_{0}; // the tasks' count, written under the lock
    // Moves on whenever the walk takes a folder or a helper hands new ones over: while it does, the
    // helper looking for work goes on looking rather than sleeping.
    std::atomic<std::uint64_t> progress_{0};
    std::atomic<bool> looking_{false};  // a helper looks for work
    std::atomic<bool> frontier_{false}; // the last folder the walk took was not listed ahead
    WakeSignal helpersAsleep_;
    WakeSignal walkAsleep_;
    std::vector<Inbox> inboxes_; // the helpers', the first helper's first
    std::vector<std::jthread> helpers_;
};

} // namespace tollenvane
