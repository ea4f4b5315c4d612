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
// would make.
class StorageFeed {
public:
    explicit StorageFeed(StorageTree tree);
    ~StorageFeed() = default;

    StorageFeed(const StorageFeed&) = delete;
    StorageFeed& operator=(const StorageFeed&) = delete;

    // Counts the records in. Each must stay where it is, unchanged, until the next `settled`.
    void add(std::vector<const FileRecord*> records);
    // The tree once every record handed over is counted. Rethrows what counting them threw.
    StorageTree& settled();

private:
    bool started();
    void count(const std::vector<const FileRecord*>& records);
    void run(std::stop_token stop);

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::vector<std::vector<const FileRecord*>> queue_;
    bool counting_ = false;
    std::exception_ptr failure_;
    StorageTree tree_;
    std::jthread thread_; // started on the first batch; last, so it stops first
};

} // namespace tollenvane
