#pragma once

#include "core/storage/StorageTree.h"

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace tollenvane {

class FileRecord;

// A storage tree counted on a thread of its own: a scan hands each batch over and goes on to the
// next, and whoever reads or changes the tree first waits for what was handed over. Records are
// counted in the order they were handed over, so the tree is the one counting them in place
// would make. The thread is woken once some thousands of records wait, not for every batch:
// waking it costs the scan more than counting a batch does. A reader counts the rest itself.
class StorageFeed {
public:
    static constexpr std::size_t wakeAfter = 4096;

    explicit StorageFeed(StorageTree tree);
    ~StorageFeed() = default;

    StorageFeed(const StorageFeed&) = delete;
    StorageFeed& operator=(const StorageFeed&) = delete;

    // Counts the records in. Each must stay where it is, unchanged, until the next `settled`.
    void add(std::vector<const FileRecord*> records);
    // The tree once every record handed over is counted. Rethrows what counting them threw.
    StorageTree& settled();

private:
    using Batches = std::vector<std::vector<const FileRecord*>>;

    bool started();
    void count(const std::vector<const FileRecord*>& records);
    std::exception_ptr countAll(const Batches& batches) noexcept;
    Batches take();
    void run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any work_; // for the thread: enough records wait
    std::condition_variable idle_;     // for readers: nobody counts
    Batches queue_;
    std::size_t waiting_ = 0; // records in the queue
    bool counting_ = false;   // the queue's batches taken, being counted
    std::exception_ptr failure_;
    StorageTree tree_;
    std::jthread thread_; // started on the first batch; last, so it stops first
};

} // namespace tollenvane
