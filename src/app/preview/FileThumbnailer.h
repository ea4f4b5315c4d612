#pragma once

#include "app/preview/ThumbnailProducer.h"

#include <chrono>

namespace tollenvane {

// The real producers: a scaled decode for pictures, the first page for PDF documents, and for
// every other kind the picture the desktop has already made, else a video's first frame.
class FileThumbnailer final : public ThumbnailProducer {
public:
    static constexpr std::chrono::milliseconds videoTimeout{3000};

    FileThumbnailer();
    QImage make(const FileRecord& record) const override;
};

} // namespace tollenvane
