#pragma once

#include "app/preview/ThumbnailMemory.h"
#include "app/preview/ThumbnailTicket.h"
#include "core/records/FileRecord.h"

#include <QImage>
#include <QObject>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tollenvane {

class ThumbnailProducer;

// The application's only source of thumbnails, kept in memory for the life of the process.
// Lives on the main thread: every call and every answer happens there. Producers run on the
// preview workers, at most three at a time; requests for a key already being made join that
// generation, others wait their turn in order. Going never waits for a producer: a late answer
// finds the cache gone and is dropped.
class ThumbnailCache final : public QObject {
    Q_OBJECT

public:
    // Receives the thumbnail, or a null image when there is none.
    using Delivery = std::function<void(const QImage&)>;

    static constexpr int maxGenerations = 3;

    explicit ThumbnailCache(std::shared_ptr<const ThumbnailProducer> producer,
                            ThumbnailMemory memory = ThumbnailMemory(), QObject* parent = nullptr);

    // Made on first use with the real producers, owned by the application object.
    static ThumbnailCache& shared();
    static std::string key(const FileRecord& record);

    // Answers before returning when the record is flagged unavailable or its thumbnail is
    // already here; otherwise later, unless the ticket is cancelled or dropped first.
    [[nodiscard]] ThumbnailTicket thumbnail(const FileRecord& record, Delivery deliver);

    const ThumbnailMemory& memory() const { return memory_; }
    int runningGenerations() const { return static_cast<int>(inFlight_.size()); }

private:
    friend class ThumbnailTicket;

    struct Request {
        std::string key;
        FileRecord record;
        Delivery deliver;
    };

    void withdraw(std::uint64_t id);
    void start(const std::string& key, const FileRecord& record);
    void finish(const std::string& key, const QImage& image);
    // Hands free slots to waiting requests, first come first served.
    void admitWaiting();
    void deliver(std::uint64_t id, const QImage& image);

    std::shared_ptr<const ThumbnailProducer> producer_;
    ThumbnailMemory memory_;
    std::uint64_t lastId_ = 0;
    std::unordered_map<std::uint64_t, Request> requests_;
    std::deque<std::uint64_t> waiting_;
    std::unordered_map<std::string, std::vector<std::uint64_t>> inFlight_;
};

} // namespace tollenvane
