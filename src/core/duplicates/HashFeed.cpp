#include "core/duplicates/HashFeed.h"

#include <algorithm>
#include <utility>

namespace tollenvane {

DirectFeed::DirectFeed(std::size_t size)
    : size_(size)
    , bytes_(std::make_unique_for_overwrite<std::byte[]>(size))
{}

std::span<std::byte> DirectFeed::room(std::size_t wanted)
{
    return {bytes_.get(), std::min(size_, wanted)};
}

void DirectFeed::fill(std::size_t count)
{
    if (!hash_) {
        hash_.emplace();
    }
    hash_->update(std::span<const std::byte>(bytes_.get(), count));
}

PassKey DirectFeed::key(PassKey given)
{
    if (hash_) {
        given = hash_->finish();
        hash_.reset();
    }
    return given;
}

} // namespace tollenvane
