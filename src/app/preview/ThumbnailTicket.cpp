#include "app/preview/ThumbnailTicket.h"

#include "app/preview/ThumbnailCache.h"

#include <utility>

namespace tollenvane {

ThumbnailTicket::ThumbnailTicket(ThumbnailCache* cache, std::uint64_t id)
    : cache_(cache)
    , id_(id)
{}

ThumbnailTicket::~ThumbnailTicket()
{
    cancel();
}

ThumbnailTicket::ThumbnailTicket(ThumbnailTicket&& other) noexcept
    : cache_(std::exchange(other.cache_, nullptr))
    , id_(std::exchange(other.id_, 0))
{}

ThumbnailTicket& ThumbnailTicket::operator=(ThumbnailTicket&& other) noexcept
{
    if (this != &other) {
        cancel();
        cache_ = std::exchange(other.cache_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

void ThumbnailTicket::cancel()
{
    if (cache_ != nullptr) {
        cache_->withdraw(id_);
    }
    cache_ = nullptr;
    id_ = 0;
}

} // namespace tollenvane
