#include "app/preview/ThumbnailMemory.h"

namespace tollenvane {

std::int64_t thumbnailCost(const QImage& image)
{
    return std::int64_t{image.width()} * image.height() * 4;
}

ThumbnailMemory::ThumbnailMemory(std::size_t countLimit, std::int64_t costLimit)
    : countLimit_(countLimit)
    , costLimit_(costLimit)
{}

std::optional<QImage> ThumbnailMemory::find(const std::string& key)
{
    const auto found = index_.find(key);
    if (found == index_.end()) {
        return std::nullopt;
    }
    entries_.splice(entries_.begin(), entries_, found->second);
    return found->second->image;
}

void ThumbnailMemory::insert(const std::string& key, const QImage& image)
{
    if (const auto found = index_.find(key); found != index_.end()) {
        remove(found->second);
    }
    const std::int64_t cost = thumbnailCost(image);
    if (cost > costLimit_) {
        return;
    }
    entries_.push_front({key, image, cost});
    index_.emplace(key, entries_.begin());
    totalCost_ += cost;
    trim();
}

void ThumbnailMemory::remove(std::list<Entry>::iterator entry)
{
    totalCost_ -= entry->cost;
    index_.erase(entry->key);
    entries_.erase(entry);
}

void ThumbnailMemory::trim()
{
    while (entries_.size() > countLimit_ || totalCost_ > costLimit_) {
        remove(std::prev(entries_.end()));
    }
}

} // namespace tollenvane
