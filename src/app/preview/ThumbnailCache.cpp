#include "app/preview/ThumbnailCache.h"

#include "app/decoding/BackgroundJob.h"
#include "app/decoding/FileWorkers.h"
#include "app/preview/FileThumbnailer.h"
#include "app/preview/ThumbnailKey.h"
#include "app/preview/ThumbnailProducer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <utility>

namespace tollenvane {

ThumbnailCache::ThumbnailCache(std::shared_ptr<const ThumbnailProducer> producer,
                               ThumbnailMemory memory, QObject* parent)
    : QObject(parent)
    , producer_(std::move(producer))
    , memory_(std::move(memory))
{}

ThumbnailCache& ThumbnailCache::shared()
{
    static QPointer<ThumbnailCache> instance;
    if (instance == nullptr) {
        instance = new ThumbnailCache(std::make_shared<FileThumbnailer>(), ThumbnailMemory(),
                                      QCoreApplication::instance());
    }
    return *instance;
}

std::string ThumbnailCache::key(const FileRecord& record)
{
    return thumbnailKey(record);
}

ThumbnailTicket ThumbnailCache::thumbnail(const FileRecord& record, Delivery deliver)
{
    if (!record.available()) {
        deliver(QImage());
        return {};
    }
    std::string key = thumbnailKey(record);
    if (const auto image = memory_.find(key)) {
        deliver(*image);
        return {};
    }
    const std::uint64_t id = ++lastId_;
    if (const auto running = inFlight_.find(key); running != inFlight_.end()) {
        running->second.push_back(id);
    } else if (runningGenerations() >= maxGenerations) {
        waiting_.push_back(id);
    } else {
        start(key, record);
        inFlight_[key].push_back(id);
    }
    requests_.emplace(id, Request{std::move(key), record, std::move(deliver)});
    return ThumbnailTicket(this, id);
}

void ThumbnailCache::withdraw(std::uint64_t id)
{
    // Its generation, if it has one, carries on for the others and for the cache.
    requests_.erase(id);
}

void ThumbnailCache::start(const std::string& key, const FileRecord& record)
{
    inFlight_.try_emplace(key);
    fileWorkers().start([cache = QPointer(this), producer = producer_, key, record] {
        deliverOnMainThread([cache, key, image = producer->make(record)] {
            if (cache) {
                cache->finish(key, image);
            }
        });
    });
}

void ThumbnailCache::finish(const std::string& key, const QImage& image)
{
    const auto running = inFlight_.find(key);
    if (running == inFlight_.end()) {
        return;
    }
    const std::vector<std::uint64_t> joined = std::move(running->second);
    inFlight_.erase(running);
    if (!image.isNull()) {
        memory_.insert(key, image);
    }
    for (const std::uint64_t id : joined) {
        deliver(id, image);
    }
    admitWaiting();
}

void ThumbnailCache::admitWaiting()
{
    while (runningGenerations() < maxGenerations && !waiting_.empty()) {
        const std::uint64_t id = waiting_.front();
        waiting_.pop_front();
        const auto request = requests_.find(id);
        if (request == requests_.end()) {
            continue; // cancelled while it waited: nothing starts for it
        }
        const std::string& key = request->second.key;
        if (const auto image = memory_.find(key)) {
            deliver(id, *image);
        } else if (const auto running = inFlight_.find(key); running != inFlight_.end()) {
            running->second.push_back(id);
        } else {
            start(key, request->second.record);
            inFlight_[key].push_back(id);
        }
    }
}

void ThumbnailCache::deliver(std::uint64_t id, const QImage& image)
{
    const auto request = requests_.find(id);
    if (request == requests_.end()) {
        return;
    }
    // Out of the table first: the caller may ask again from inside its delivery.
    const Delivery delivery = std::move(request->second.deliver);
    requests_.erase(request);
    delivery(image);
}

} // namespace tollenvane
