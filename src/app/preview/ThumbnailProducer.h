#pragma once

#include <QImage>

namespace tollenvane {

class FileRecord;

// Makes the thumbnail of one file. Called on worker threads, several at a time, so it keeps no
// state between calls. A null image means the file has none; it never throws.
class ThumbnailProducer {
public:
    virtual ~ThumbnailProducer() = default;
    virtual QImage make(const FileRecord& record) const = 0;
};

} // namespace tollenvane
