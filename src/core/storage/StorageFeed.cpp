#include "core/storage/StorageFeed.h"

#include "core/records/FileRecord.h"

#include <utility>

namespace tollenvane {

StorageFeed::StorageFeed(StorageTree tree)
    : tree_(std::move(tree))
{}

void StorageFeed::add(std::vector<const FileRecord*> records)
{
    if (records.empty()) {
        return;
    }
    {
        const std::lock_guard guard(mutex_);
        queue_.push_back(std::move(records));
    }
    if (!thread_.joinable()) {
        thread_ = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
    }
    changed_.notify_all();
}

StorageTree& StorageFeed::settled()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.empty() && !counting_; });
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    return tree_;
}

void StorageFeed::run(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [this] { return !queue_.empty(); })) {
        std::vector<std::vector<const FileRecord*>> batches = std::exchange(queue_, {});
        counting_ = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            for (const auto& batch : batches) {
                for (const FileRecord* record : batch) {
                    tree_.apply(*record, +1);
                }
            }
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        counting_ = false;
        if (failure && !failure_) {
            failure_ = failure;
        }
        changed_.notify_all();
    }
}

} // namespace tollenvane
