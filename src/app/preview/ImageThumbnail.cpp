#include "app/preview/ImageThumbnail.h"

#include "app/preview/EndWatchingDevice.h"
#include "app/preview/ThumbnailBounds.h"

#include <QImageReader>

namespace tollenvane {

QImage imageThumbnail(QIODevice& device)
{
    EndWatchingDevice watched(device);
    QImageReader reader(&watched);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isEmpty() || static_cast<long long>(size.width()) * size.height() > maxImagePixels) {
        return {};
    }
    const bool jpeg = reader.format() == "jpeg";
    reader.setScaledSize(fittedSize(size, {imageThumbnailSide, imageThumbnailSide}));
    QImage image = reader.read();
    // The JPEG decoder pads a cut file with grey instead of failing; half a picture is no
    // thumbnail. Other decoders may read to the end as a matter of course.
    if (jpeg && watched.ranPastEnd()) {
        return {};
    }
    return image;
}

} // namespace tollenvane
