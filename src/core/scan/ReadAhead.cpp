#include "core/scan/ReadAhead.h"

#include "core/access/FolderAccess.h"
#include "core/base/Path.h"
#include "core/scan/FolderWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace tollenvane {

namespace {

// Large enough for a few hundred entries per system call.
constexpr std::size_t listingBuffer = 64 * 1024;

// A quarter of what the process may open, so that the walk's own folders and the rest of the
// application keep room.
long descriptorBudget()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return ReadAhead::descriptorLimit;
    }
    return std::min(ReadAhead::descriptorLimit, static_cast<long>(limit.rlim_cur / 4));
}

// Growing the descriptor table while other threads share it makes the kernel wait for every
// processor to pass a quiescent point, and every thread that opens a file waits meanwhile. Sized
// once for the budget before the helpers start, it grows at most once, and only for the first
// walk: a table never shrinks.
void reserveDescriptorTable(long descriptors)
{
    const UniqueFd probe(::open("/", O_PATH | O_CLOEXEC));
    if (!probe) {
        return;
    }
    // Only a reservation: where the limit is lower, the table grows as it must.
    const int high = ::fcntl(probe.get(), F_DUPFD_CLOEXEC, static_cast<int>(descriptors));
    if (high >= 0) {
        ::close(high);
    }
}

// Waking a sleeping thread can take longer than listing a folder, on an idle processor most of
// all: a thread with work likely to come soon looks for it a little while before sleeping.
constexpr std::chrono::microseconds spinTime{50};

template <typename Ready>
bool spinUntil(const Ready& ready)
{
    const auto end = std::chrono::steady_clock::now() + spinTime;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
    }
    return true;
}

} // namespace

ReadAhead::ReadAhead(unsigned helpers, bool showHidden, std::int64_t minimumSize,
                     const ScanOptions& options)
    : showHidden_(showHidden)
    , minimumSize_(minimumSize)
    , options_(options)
    , trash_(FolderAccess::systemRefusals().trashFolders)
    , descriptorBudget_(descriptorBudget())
{
    // Beyond the budget: the walk's own descriptors and the rest of the application's.
    reserveDescriptorTable(descriptorBudget_ + 64);
    helpers_.reserve(helpers);
    try {
        for (unsigned i = 0; i < helpers; ++i) {
            helpers_.emplace_back([this] { work(); });
        }
    } catch (...) {
        // The helpers already started would otherwise wait for work forever.
        stop();
        throw;
    }
}

ReadAhead::~ReadAhead()
{
    stop();
    retiring_.clear();
    retired_.clear();
    // The helpers freed their listings and batches into malloc arenas of their own, which would
    // otherwise keep those pages for the life of the process.
    ::malloc_trim(0);
}

void ReadAhead::stop()
{
    {
        const std::scoped_lock guard(lock_);
        stopping_ = true;
    }
    work_.notify_all();
    helpers_.clear();
}

std::shared_ptr<PendingFolder> ReadAhead::add(std::vector<std::uint32_t> position, std::string path,
                                              UniqueFd fd, std::shared_ptr<const Ancestry> ancestry)
{
    auto folder = std::make_shared<PendingFolder>(std::move(position), std::move(path),
                                                  std::move(fd), std::move(ancestry), load_, false);
    enqueue(folder);
    return folder;
}

// The walk takes the lock only to wait: a folder listed ahead, the usual case, is taken without
// contending with the helpers for it.
bool ReadAhead::take(PendingFolder& folder, const std::stop_token& stop)
{
    auto waiting = PendingFolder::State::waiting;
    if (folder.state.compare_exchange_strong(waiting, PendingFolder::State::listing)) {
        Folders opened;
        const bool whole = list(folder, stop, opened);
        folder.state = PendingFolder::State::listed;
        handOver(opened);
        if (!whole) {
            return false;
        }
    } else if (!spinUntil([&] { return folder.state == PendingFolder::State::listed; })) {
        std::unique_lock lock(lock_);
        // Set before the state is looked at, and looked at by a helper after it marks a folder
        // listed (both sequentially consistent): one of the two sees the other.
        walkWaiting_ = true;
        const bool listed =
            ready_.wait(lock, stop, [&] { return folder.state == PendingFolder::State::listed; });
        walkWaiting_ = false;
        if (!listed) {
            return false;
        }
    }
    const long before = load_.entries.load(std::memory_order_relaxed);
    folder.releaseEntries();
    const long after = load_.entries.load(std::memory_order_relaxed);
    // Helpers past the budget wait for half of it to be free, not for each folder taken.
    if (before >= entryLimit / 2 && after < entryLimit / 2) {
        work_.notify_all();
    }
    return true;
}

void ReadAhead::retire(std::shared_ptr<PendingFolder> folder)
{
    retiring_.push_back(std::move(folder));
    if (retiring_.size() < retireBatch) {
        return;
    }
    Folders mine;
    {
        const std::scoped_lock guard(lock_);
        // Helpers that have not come for the last batch are idle: the walk no longer waits on
        // their allocators, and freeing here bounds what is kept.
        if (retired_.empty()) {
            retired_.swap(retiring_);
        } else {
            mine.swap(retiring_);
        }
    }
}

// The subfolders a listing opened are handed over in one go, under the lock taken anyway to
// say the folder is listed, and the allocations the walk left are freed: one lock per folder,
// not one per subfolder.
void ReadAhead::work()
{
    // Named for whoever looks at the process's threads.
    ::pthread_setname_np(::pthread_self(), "folder-reader");
    Folders opened;
    Folders retired;
    unsigned more = 0;
    std::unique_lock lock(lock_);
    while (const std::shared_ptr<PendingFolder> folder = nextTask(lock)) {
        lock.unlock();
        // This helper took one of them itself.
        wake(more > 0 ? more - 1 : 0);
        retired.clear();
        list(*folder, {}, opened);
        folder->state = PendingFolder::State::listed;
        lock.lock();
        // Under the lock, so that a walk about to wait is either waiting already or will see
        // the folder listed.
        if (walkWaiting_) {
            ready_.notify_all();
        }
        retired.swap(retired_);
        more = publish(opened);
    }
}

// Under the lock; gives how many were queued.
unsigned ReadAhead::publish(Folders& opened)
{
    for (const std::shared_ptr<PendingFolder>& folder : opened) {
        tasks_.push(Task{folder->position, folder});
    }
    queued_ = tasks_.size();
    const auto count = static_cast<unsigned>(opened.size());
    opened.clear();
    return count;
}

// Helpers looking for work find it without being woken.
void ReadAhead::handOver(Folders& opened)
{
    unsigned queued = 0;
    {
        const std::scoped_lock guard(lock_);
        queued = publish(opened);
    }
    wake(queued);
}

void ReadAhead::wake(unsigned helpers)
{
    for (unsigned i = 0; i < std::min(helpers, sleeping_.load()); ++i) {
        work_.notify_one();
    }
}

// Null once stopping.
std::shared_ptr<PendingFolder> ReadAhead::nextTask(std::unique_lock<std::mutex>& lock)
{
    bool overBudget = false;
    bool looked = false;
    while (!stopping_) {
        // Entries the walk has not taken are the budget's: past it, wait for the walk. A folder
        // dropped unread gives its entries back without a word, hence the timeout.
        const long limit = overBudget ? entryLimit / 2 : entryLimit;
        overBudget = load_.entries.load(std::memory_order_relaxed) >= limit;
        while (!overBudget && !tasks_.empty()) {
            std::shared_ptr<PendingFolder> folder = tasks_.top().folder.lock();
            tasks_.pop();
            queued_ = tasks_.size();
            auto waiting = PendingFolder::State::waiting;
            if (folder &&
                folder->state.compare_exchange_strong(waiting, PendingFolder::State::listing)) {
                return folder;
            }
        }
        // One looks, the others sleep: more would only contend for the lock. Then the queue is
        // looked at again under the lock, so that work handed over meanwhile, by a helper that
        // saw no one sleeping, is not left waiting for the timeout.
        if (!overBudget && !looked && !looking_.exchange(true)) {
            lock.unlock();
            (void)spinUntil([this] { return queued_ > 0 || stopping_; });
            looking_ = false;
            lock.lock();
            looked = true;
            continue;
        }
        looked = false;
        ++sleeping_;
        work_.wait_for(lock, std::chrono::milliseconds(20));
        --sleeping_;
    }
    return nullptr;
}

// Reads every entry with getdents64 into one large buffer: no stream, no per-folder flags.
bool ReadAhead::list(PendingFolder& folder, const std::stop_token& stop, Folders& opened)
{
    thread_local std::vector<char> buffer(listingBuffer);
    FolderListing& listing = folder.listing;
    bool queuedFirst = false;
    const auto stopped = [&] {
        return stopping_.load(std::memory_order_relaxed) || stop.stop_requested();
    };
    while (!stopped()) {
        const long read = ::syscall(SYS_getdents64, folder.fd.get(), buffer.data(), buffer.size());
        if (read < 0) {
            listing.failure = PlatformError(errno, "readdir");
            break;
        }
        if (read == 0) {
            break;
        }
        reserve(listing, buffer.data(), read);
        try {
            for (long offset = 0; offset < read && !stopped();) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
                offset += entry->d_reclen;
                keep(folder, entry->d_name, entry->d_type, opened);
                // The first subfolder is the one the walk enters first, and an idle helper may
                // start one now; the others go with the end of the listing.
                if (!opened.empty() && (!queuedFirst || sleeping_ > 0 || looking_)) {
                    handOver(opened);
                    queuedFirst = true;
                }
            }
        } catch (...) {
            listing.thrown = std::current_exception();
            break;
        }
    }
    // A folder listed keeps its descriptor while half the budget is free: the walk checks its
    // subfolders through it. One with subfolders left to open, or the root that every reopening
    // starts from, keeps it whatever the budget; one without subfolders has no more use for it,
    // and is better closed here than on the walk's thread.
    if (!listing.opensLater && !folder.position.empty() &&
        (load_.descriptors.load(std::memory_order_relaxed) > descriptorBudget_ / 2 ||
         std::none_of(listing.entries.begin(), listing.entries.end(), [](const ListedEntry& entry) {
             return entry.kind == ListedEntry::Kind::folder;
         }))) {
        folder.releaseDescriptor();
    }
    folder.countedEntries = static_cast<long>(listing.entries.size());
    load_.entries.fetch_add(folder.countedEntries, std::memory_order_relaxed);
    return !stopped();
}

// Room for a whole buffer of entries at once, rather than growing entry by entry.
void ReadAhead::reserve(FolderListing& listing, const char* entries, long bytes)
{
    std::size_t count = 0;
    for (long offset = 0; offset < bytes; ++count) {
        offset += reinterpret_cast<const dirent64*>(entries + offset)->d_reclen;
    }
    listing.entries.reserve(listing.entries.size() + count);
    listing.names.reserve(listing.names.size() + static_cast<std::size_t>(bytes));
}

void ReadAhead::keep(PendingFolder& folder, std::string_view name, unsigned char type,
                     Folders& opened)
{
    if (!FolderWalk::keepsName(name, showHidden_)) {
        return;
    }
    std::optional<FileStatus> status;
    // Some file systems do not fill in the type.
    if (type == DT_UNKNOWN) {
        try {
            status = options_.statusReader(folder.fd.get(), name.data());
        } catch (const PlatformError& error) {
            addProblem(folder.listing, name, error);
            return;
        }
        type = status->isDirectory() ? DT_DIR : status->isRegular() ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_DIR) {
        keepFolder(folder, name, opened);
    } else if (type == DT_REG) {
        keepFile(folder, name, std::move(status));
    }
}

void ReadAhead::keepFile(PendingFolder& folder, std::string_view name,
                         std::optional<FileStatus> status)
{
    // The walk reports a path too long before anything is read of it.
    if (FolderWalk::joinedLength(folder.path, name) > FolderWalk::longestPath) {
        addEntry(folder.listing, name, ListedEntry::Kind::file);
        return;
    }
    if (!status) {
        try {
            status = options_.statusReader(folder.fd.get(), name.data());
        } catch (const PlatformError& error) {
            addProblem(folder.listing, name, error);
            return;
        }
    }
    // Replaced since it was listed: a folder named like a bundle must not be measured as one.
    if (!status->isRegular()) {
        return;
    }
    PreparedRecord file =
        PreparedRecord::make(path::appending(folder.path, name), *status, minimumSize_);
    if (file.record || file.failure) {
        addEntry(folder.listing, name, ListedEntry::Kind::file).file = std::move(file);
    }
}

void ReadAhead::keepFolder(PendingFolder& folder, std::string_view name, Folders& opened)
{
    if (FolderWalk::isPackageExtension(path::toLowerAscii(path::extension(name)))) {
        return;
    }
    FolderListing& listing = folder.listing;
    // Left for the walk, which reports it.
    if (FolderWalk::joinedLength(folder.path, name) > FolderWalk::longestPath) {
        addEntry(listing, name, ListedEntry::Kind::folder);
        return;
    }
    std::string folderPath = path::appending(folder.path, name);
    if (std::find(trash_.begin(), trash_.end(), folderPath) != trash_.end()) {
        return;
    }
    if (!reserveDescriptor()) {
        listing.opensLater = true;
        addEntry(listing, name, ListedEntry::Kind::folder);
        return;
    }
    UniqueFd fd;
    FileIdentity identity;
    try {
        fd = options_.folderOpener(folder.fd.get(), name.data());
        const FileStatus status = FileStatus::ofDescriptor(fd.get());
        identity = FileIdentity{status.device, status.inode};
    } catch (const PlatformError& error) {
        load_.descriptors.fetch_sub(1, std::memory_order_relaxed);
        addProblem(listing, name, error);
        return;
    }
    if (folder.ancestry->contains(identity)) {
        load_.descriptors.fetch_sub(1, std::memory_order_relaxed);
        return;
    }
    std::vector<std::uint32_t> position = folder.position;
    position.push_back(static_cast<std::uint32_t>(listing.entries.size()));
    auto child = std::make_shared<PendingFolder>(
        std::move(position), std::move(folderPath), std::move(fd),
        std::make_shared<const Ancestry>(Ancestry{identity, folder.ancestry}), load_, true);
    addEntry(listing, name, ListedEntry::Kind::folder).folder = child;
    opened.push_back(std::move(child));
}

ListedEntry& ReadAhead::addEntry(FolderListing& listing, std::string_view name,
                                 ListedEntry::Kind kind)
{
    ListedEntry& entry = listing.entries.emplace_back();
    entry.kind = kind;
    entry.nameStart = static_cast<std::uint32_t>(listing.names.size());
    listing.names.append(name);
    listing.names.push_back('\0');
    return entry;
}

void ReadAhead::addProblem(FolderListing& listing, std::string_view name,
                           const PlatformError& error)
{
    addEntry(listing, name, ListedEntry::Kind::problem).problem =
        static_cast<std::uint32_t>(listing.problems.size());
    listing.problems.push_back(error);
}

void ReadAhead::enqueue(const std::shared_ptr<PendingFolder>& folder)
{
    {
        const std::scoped_lock guard(lock_);
        tasks_.push(Task{folder->position, folder});
        queued_ = tasks_.size();
    }
    wake(1);
}

bool ReadAhead::reserveDescriptor()
{
    if (load_.descriptors.fetch_add(1, std::memory_order_relaxed) < descriptorBudget_) {
        return true;
    }
    load_.descriptors.fetch_sub(1, std::memory_order_relaxed);
    return false;
}

} // namespace tollenvane
