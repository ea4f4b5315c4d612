#include "core/scan/ReadAhead.h"

#include "core/access/FolderAccess.h"
#include "core/base/CpuRelax.h"
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

// How long the helper looking for work goes on once nothing moves: about what waking it again
// would cost, so that a walk that pauses between steps does not keep a processor busy meanwhile.
constexpr std::chrono::microseconds patience{500};
// A sleeping helper looks again now and then: a folder dropped unread gives its entries back
// without a word.
constexpr std::chrono::milliseconds sleepLimit{50};
// The walk, waiting for a folder a helper lists, spins that long before it sleeps.
constexpr std::chrono::milliseconds walkPatience{2};

// Folders whose entries take this many bytes, some hundreds of entries, take a helper a
// millisecond or more to list.
constexpr std::int64_t largeFolder = 32 * 1024;

// The helper this thread is, from 1; the walk's thread, and any other, is 0.
thread_local unsigned thisHelper = 0;

} // namespace

ReadAhead::ReadAhead(unsigned helpers, bool showHidden, std::int64_t minimumSize,
                     const ScanOptions& options)
    : showHidden_(showHidden)
    , minimumSize_(minimumSize)
    , options_(options)
    , trash_(FolderAccess::systemRefusals().trashFolders)
    , descriptorBudget_(descriptorBudget())
    , inboxes_(helpers)
{
    // Beyond the budget: the walk's own descriptors and the rest of the application's.
    reserveDescriptorTable(descriptorBudget_ + 64);
    helpers_.reserve(helpers);
    try {
        for (unsigned i = 0; i < helpers; ++i) {
            helpers_.emplace_back([this, i] { work(i + 1); });
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
    inboxes_.clear();
    // The helpers freed their listings and batches into malloc arenas of their own, which would
    // otherwise keep those pages for the life of the process.
    ::malloc_trim(0);
}

void ReadAhead::stop()
{
    stopping_ = true;
    helpersAsleep_.wakeAll();
    helpers_.clear();
}

std::shared_ptr<PendingFolder> ReadAhead::add(std::vector<std::uint32_t> position, std::string path,
                                              UniqueFd fd, std::shared_ptr<const Ancestry> ancestry)
{
    auto folder = std::make_shared<PendingFolder>(
        std::move(position), std::move(path), std::move(fd), std::move(ancestry), load_, false, 0);
    Folders opened{folder};
    publish(opened);
    return folder;
}

// A folder listed ahead, the usual case, is taken without a lock.
bool ReadAhead::take(PendingFolder& folder, const std::stop_token& stop)
{
    // The walk caught up with the helpers: what they read further on must not hold back the
    // folders it needs now.
    frontier_ = folder.state != PendingFolder::State::listed;
    auto waiting = PendingFolder::State::waiting;
    if (folder.state.compare_exchange_strong(waiting, PendingFolder::State::listing)) {
        folder.lister = thisHelper;
        Folders opened;
        const bool whole = list(folder, stop, opened);
        folder.state = PendingFolder::State::listed;
        publish(opened);
        if (!whole) {
            return false;
        }
    } else {
        waitUntilListed(folder, stop);
        if (folder.state != PendingFolder::State::listed) {
            return false;
        }
    }
    folder.releaseEntries();
    progress_.fetch_add(1, std::memory_order_relaxed);
    wakeIfBehind();
    return true;
}

// Listing a folder takes from microseconds to a few milliseconds: the walk, which has nothing else
// to do, spins that long rather than pay for being woken.
void ReadAhead::waitUntilListed(const PendingFolder& folder, const std::stop_token& stop)
{
    const auto listed = [&] {
        return folder.state == PendingFolder::State::listed || stop.stop_requested();
    };
    const auto end = std::chrono::steady_clock::now() + walkPatience;
    for (unsigned turn = 1; !listed(); ++turn) {
        cpuRelax();
        if (turn % 64 == 0 && std::chrono::steady_clock::now() >= end) {
            break;
        }
    }
    // Woken by the helper that marks it listed; a stop request is seen on the next look.
    while (!listed()) {
        walkAsleep_.sleepUnless(listed, sleepLimit);
    }
}

void ReadAhead::retire(std::shared_ptr<PendingFolder> folder)
{
    release(std::move(folder));
}

// Frees what this thread allocated for the folder, and hands the rest on to the helper that
// allocated it: first the listing, by its lister, then the folder itself, by its opener. What the
// walk allocated is freed wherever it is met: the walk has other work.
void ReadAhead::release(std::shared_ptr<PendingFolder> folder)
{
    if (!folder->listingFreed) {
        if (folder->lister != thisHelper && post(folder->lister, folder)) {
            return;
        }
        // Moved out rather than assigned over: a string keeps its storage when assigned a short
        // one.
        const FolderListing freed = std::move(folder->listing);
        folder->listingFreed = true;
    }
    if (folder->opener != thisHelper && post(folder->opener, folder)) {
        return;
    }
}

bool ReadAhead::post(unsigned owner, std::shared_ptr<PendingFolder>& folder)
{
    if (owner == 0) {
        return false;
    }
    Inbox& inbox = inboxes_[owner - 1];
    const std::scoped_lock guard(inbox.lock);
    inbox.folders.push_back(std::move(folder));
    return true;
}

// `spare`, empty, and the inbox trade their storage, so that neither is ever freed.
void ReadAhead::collect(Inbox& inbox, Folders& spare)
{
    {
        const std::scoped_lock guard(inbox.lock);
        inbox.folders.swap(spare);
    }
    for (std::shared_ptr<PendingFolder>& folder : spare) {
        release(std::move(folder));
    }
    spare.clear();
}

void ReadAhead::work(unsigned self)
{
    thisHelper = self;
    // Named for whoever looks at the process's threads.
    ::pthread_setname_np(::pthread_self(), "folder-reader");
    Inbox& inbox = inboxes_[self - 1];
    Folders opened;
    Folders spare;
    while (const std::shared_ptr<PendingFolder> folder = nextTask(inbox, spare)) {
        list(*folder, {}, opened);
        finish(*folder);
        publish(opened);
        collect(inbox, spare);
    }
}

void ReadAhead::finish(PendingFolder& folder)
{
    folder.state = PendingFolder::State::listed;
    walkAsleep_.wake();
}

// Null once stopping.
std::shared_ptr<PendingFolder> ReadAhead::nextTask(Inbox& inbox, Folders& spare)
{
    while (!stopping_) {
        if (std::shared_ptr<PendingFolder> folder = pop()) {
            wakeIfBehind();
            return folder;
        }
        // One looks, the others sleep: more would only burn processors for the same work.
        if (!looking_.exchange(true)) {
            const bool found = lookForWork();
            looking_ = false;
            if (found) {
                continue;
            }
        }
        helpersAsleep_.sleepUnless([this] { return stopping_ || behind(); }, sleepLimit);
        collect(inbox, spare);
    }
    return nullptr;
}

std::shared_ptr<PendingFolder> ReadAhead::pop()
{
    if (!mayTake()) {
        return nullptr;
    }
    const std::scoped_lock guard(lock_);
    while (!tasks_.empty()) {
        std::shared_ptr<PendingFolder> folder = tasks_.top();
        tasks_.pop();
        queued_ = tasks_.size();
        // Held by the queue alone, it was dropped by the walk: nobody will take its listing.
        if (folder.use_count() == 1) {
            continue;
        }
        auto waiting = PendingFolder::State::waiting;
        if (folder->state.compare_exchange_strong(waiting, PendingFolder::State::listing)) {
            folder->lister = thisHelper;
            return folder;
        }
    }
    return nullptr;
}

// Until there is work to take, or nothing has moved for a while.
bool ReadAhead::lookForWork()
{
    std::uint64_t seen = progress_.load(std::memory_order_relaxed);
    auto since = std::chrono::steady_clock::now();
    for (unsigned turn = 1; !stopping_; ++turn) {
        if (mayTake()) {
            return true;
        }
        cpuRelax();
        if (turn % 64 != 0) {
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (const std::uint64_t progress = progress_.load(std::memory_order_relaxed);
            progress != seen) {
            seen = progress;
            since = now;
        } else if (now - since >= patience) {
            return false;
        }
    }
    return false;
}

// Entries the walk has not taken are the budget's: past it, helpers wait for the walk, unless
// the walk waits for them.
bool ReadAhead::mayTake() const
{
    return queued_.load() > 0 &&
           (load_.entries.load(std::memory_order_relaxed) < entryLimit || frontier_);
}

// Work waits while the walk is using up what was read ahead: another helper is worth waking.
bool ReadAhead::behind() const
{
    return queued_.load() > 0 &&
           (load_.entries.load(std::memory_order_relaxed) < entryLimit / 2 || frontier_);
}

// Waking a helper costs the waker most of what it takes to list a folder: the walk leaves it to
// the helper looking for work, if any.
void ReadAhead::wakeIfBehind()
{
    if (thisHelper == 0 && looking_) {
        return;
    }
    if (behind() && helpersAsleep_.anySleeping()) {
        helpersAsleep_.wake();
    }
}

// For the helpers to take in the walk's order.
void ReadAhead::publish(Folders& opened)
{
    if (opened.empty()) {
        return;
    }
    {
        const std::scoped_lock guard(lock_);
        for (std::shared_ptr<PendingFolder>& folder : opened) {
            tasks_.push(std::move(folder));
        }
        queued_ = tasks_.size();
    }
    opened.clear();
    progress_.fetch_add(1, std::memory_order_relaxed);
    // Otherwise the helper looking for work takes it, or the one that handed it over.
    wakeIfBehind();
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
                if (!opened.empty() && (!queuedFirst || looking_)) {
                    publish(opened);
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
    } else if (thisHelper != 0) {
        keepNameOnly(folder);
    }
    folder.countedEntries = static_cast<long>(listing.entries.size());
    load_.entries.fetch_add(folder.countedEntries, std::memory_order_relaxed);
    return !stopped();
}

// Closing a folder that was read frees what the file system kept for the reading, which takes a
// while: the walk, which keeps the descriptor to check and open what lies below, gets one that
// only names the folder, and the one that read it is closed here.
void ReadAhead::keepNameOnly(PendingFolder& folder)
{
    UniqueFd named(::openat(folder.fd.get(), ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (named) {
        folder.fd = std::move(named);
    }
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
    std::int64_t size = 0;
    try {
        fd = options_.folderOpener(folder.fd.get(), name.data());
        const FileStatus status = FileStatus::ofDescriptor(fd.get());
        identity = FileIdentity{status.device, status.inode};
        size = status.size;
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
        std::make_shared<const Ancestry>(Ancestry{identity, folder.ancestry}), load_, true,
        thisHelper);
    child->large = size >= largeFolder;
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

bool ReadAhead::reserveDescriptor()
{
    if (load_.descriptors.fetch_add(1, std::memory_order_relaxed) < descriptorBudget_) {
        return true;
    }
    load_.descriptors.fetch_sub(1, std::memory_order_relaxed);
    return false;
}

} // namespace tollenvane
