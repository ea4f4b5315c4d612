#pragma once

#include <QImage>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>

namespace tollenvane {

// What a thumbnail weighs in the cache: its bitmap at four bytes a pixel.
std::int64_t thumbnailCost(const QImage& image);

// Thumbnails kept in memory, bounded both by their number and by their total cost; the least
// recently used go first.
class ThumbnailMemory {
public:
    static constexpr std::size_t defaultCountLimit = 48;
    static constexpr std::int64_t defaultCostLimit = 0x3000000; // 48 MiB

    explicit ThumbnailMemory(std::size_t countLimit = defaultCountLimit,
                             std::int64_t costLimit = defaultCostLimit);

    // Marks the entry as just used.
    std::optional<QImage> find(const std::string& key);
    // An image costing more than the whole limit is not kept.
    void insert(const std::string& key, const QImage& image);

    bool contains(const std::string& key) const { return index_.contains(key); }
    std::size_t count() const { return entries_.size(); }
    std::int64_t totalCost() const { return totalCost_; }

private:
    struct Entry {
        std::string key;
        QImage image;
        std::int64_t cost;
    };

    void remove(std::list<Entry>::iterator entry);
    void trim();

    std::size_t countLimit_;
    std::int64_t costLimit_;
    std::int64_t totalCost_ = 0;
    std::list<Entry> entries_; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

} // namespace tollenvane
