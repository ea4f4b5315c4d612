#pragma once

#include "core/base/Sha256.h"
#include "core/duplicates/PassKey.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>

namespace tollenvane {

// Where the bytes of one file go, as they are read, to be hashed. A file's key is the one the
// reading gives, its hash replaced by the digest of the bytes fed when any were fed (none at all
// counts too once `fill` was called).
class HashFeed {
public:
    virtual ~HashFeed() = default;
    // Room for at most `wanted` bytes, valid until the next `fill`. May wait; throws Cancelled
    // when the pass stops meanwhile.
    virtual std::span<std::byte> room(std::size_t wanted) = 0;
    // The first `count` bytes of the last room are the file's next bytes.
    virtual void fill(std::size_t count) = 0;

protected:
    HashFeed() = default;
    HashFeed(const HashFeed&) = default;
    HashFeed& operator=(const HashFeed&) = default;
};

// Hashes on the reading thread itself, into memory kept for all the files it reads.
class DirectFeed final : public HashFeed {
public:
    explicit DirectFeed(std::size_t size);

    std::span<std::byte> room(std::size_t wanted) override;
    void fill(std::size_t count) override;
    // The key of the file fed since the last call; the feed is ready for the next file.
    PassKey key(PassKey given);
    // Forgets what was fed since the last key.
    void discard() { hash_.reset(); }

private:
    std::size_t size_;
    std::unique_ptr<std::byte[]> bytes_;
    std::optional<Sha256> hash_;
};

} // namespace tollenvane
