#pragma once

#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"
#include "core/scan/FolderListing.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tollenvane {

// What the read-ahead holds of the system: descriptors and entries not yet taken by the walk.
struct ReadAheadLoad {
    std::atomic<long> descriptors{0};
    std::atomic<long> entries{0};
};

// A folder opened to be listed ahead of the walk, by whichever thread gets to it first.
struct PendingFolder {
    enum class State { waiting, listing, listed };

    // `countDescriptor` when it was opened ahead of the walk, not by it. `openedBy` is the
    // thread that makes it: the walk's is 0, each helper's its number from 1.
    PendingFolder(std::vector<std::uint32_t> place, std::string folderPath, UniqueFd folderFd,
                  std::shared_ptr<const Ancestry> folderAncestry, ReadAheadLoad& countedIn,
                  bool countDescriptor, unsigned openedBy)
        : position(std::move(place))
        , path(std::move(folderPath))
        , ancestry(std::move(folderAncestry))
        , fd(std::move(folderFd))
        , load(countedIn)
        , descriptorCounted(countDescriptor)
        , opener(openedBy)
    {}
    ~PendingFolder()
    {
        releaseDescriptor();
        releaseEntries();
    }
    PendingFolder(const PendingFolder&) = delete;
    PendingFolder& operator=(const PendingFolder&) = delete;

    const FileIdentity& identity() const { return ancestry->identity; }

    // The descriptor, no longer counted as read ahead.
    UniqueFd takeDescriptor()
    {
        if (descriptorCounted && fd) {
            load.descriptors.fetch_sub(1, std::memory_order_relaxed);
        }
        return std::move(fd);
    }
    void releaseDescriptor() { (void)takeDescriptor(); }
    void releaseEntries()
    {
        if (countedEntries != 0) {
            load.entries.fetch_sub(countedEntries, std::memory_order_relaxed);
            countedEntries = 0;
        }
    }

    // Its place in the walk: the indexes of the entries leading to it from the root, so that
    // smaller comes first.
    const std::vector<std::uint32_t> position;
    const std::string path;
    const std::shared_ptr<const Ancestry> ancestry;
    UniqueFd fd;
    ReadAheadLoad& load;
    const bool descriptorCounted;
    long countedEntries = 0; // listed, not yet taken by the walk
    // The threads whose memory it holds: the folder itself was made by `opener`, its listing by
    // `lister`. Each frees its own, so that none waits for another's allocator.
    const unsigned opener;
    unsigned lister = 0;
    bool listingFreed = false;
    bool large = false; // by the size of its entries, known once opened
    // Taken out of waiting by one thread, the walk or a helper; the listing is that thread's
    // until it is listed.
    std::atomic<State> state{State::waiting};
    FolderListing listing;
};

} // namespace tollenvane
