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
    bool enough = false;
    {
        const std::lock_guard guard(mutex_);
        waiting_ += records.size();
        queue_.push_back(std::move(records));
        enough = waiting_ >= wakeAfter && !counting_;
    }
    if (enough) {
        work_.notify_one();
    }
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

std::exception_ptr StorageFeed::countAll(const Batches& batches) noexcept
{
    try {
        for (const auto& batch : batches) {
            count(batch);
        }
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

// Under the lock: the batches waiting, now the caller's to count.
StorageFeed::Batches StorageFeed::take()
{
    counting_ = true;
    waiting_ = 0;
    return std::exchange(queue_, {});
}

StorageTree& StorageFeed::settled()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !counting_; });
    if (failure_) {
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    if (queue_.empty()) {
        return tree_;
    }
    // Fewer than would wake the thread, usually: counted here rather than waiting for it.
    const Batches batches = take();
    lock.unlock();
    const std::exception_ptr failure = countAll(batches);
    lock.lock();
    counting_ = false;
    const bool enough = waiting_ >= wakeAfter;
    lock.unlock();
    idle_.notify_all();
    if (enough) {
        work_.notify_one();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return tree_;
}

void StorageFeed::run(std::stop_token stop)
{
    ::pthread_setname_np(::pthread_self(), "storage-tree");
    std::unique_lock lock(mutex_);
    while (work_.wait(lock, stop, [this] { return waiting_ >= wakeAfter && !counting_; })) {
        const Batches batches = take();
        lock.unlock();
        const std::exception_ptr failure = countAll(batches);
        lock.lock();
        counting_ = false;
        if (failure && !failure_) {
            failure_ = failure;
        }
        idle_.notify_all();
    }
}

} // namespace tollenvane
