#include "core/storage/StorageFeed.h"

#include "core/records/FileRecord.h"

#include <pthread.h>

#include <system_error>
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
    if (!started()) {
        count(records); // no thread to be had: the tree is counted here, as it always was
        return;
    }
    {
        const std::lock_guard guard(mutex_);
        queue_.push_back(std::move(records));
    }
    changed_.notify_all();
}

bool StorageFeed::started()
{
    if (!thread_.joinable()) {
        try {
            thread_ = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
        } catch (const std::system_error&) {
            return false;
        }
    }
    return true;
}

void StorageFeed::count(const std::vector<const FileRecord*>& records)
{
    for (const FileRecord* record : records) {
        tree_.apply(*record, +1);
    }
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
    ::pthread_setname_np(::pthread_self(), "storage-tree");
    std::unique_lock lock(mutex_);
    while (changed_.wait(lock, stop, [this] { return !queue_.empty(); })) {
        std::vector<std::vector<const FileRecord*>> batches = std::exchange(queue_, {});
        counting_ = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            for (const auto& batch : batches) {
                count(batch);
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
