#pragma once

#include <QPointer>
#include <cstdint>

namespace tollenvane {

class ThumbnailCache;

// A caller's hold on one thumbnail request. Cancelling it, or dropping it, means the caller no
// longer wants the answer; a generation others wait for, or that has already started, carries on.
class ThumbnailTicket {
public:
    ThumbnailTicket() = default;
    ThumbnailTicket(ThumbnailCache* cache, std::uint64_t id);
    ~ThumbnailTicket();
    ThumbnailTicket(ThumbnailTicket&& other) noexcept;
    ThumbnailTicket& operator=(ThumbnailTicket&& other) noexcept;
    ThumbnailTicket(const ThumbnailTicket&) = delete;
    ThumbnailTicket& operator=(const ThumbnailTicket&) = delete;

    void cancel();

private:
    QPointer<ThumbnailCache> cache_;
    std::uint64_t id_ = 0;
};

} // namespace tollenvane
